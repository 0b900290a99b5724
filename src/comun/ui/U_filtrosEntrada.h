#pragma once

class QLineEdit;

// Input filters for edit boxes: what cannot be typed never reaches the logic.

// Non-negative decimal numbers: digits with one '.', at most 12 integer digits (no exponents,
// signs or separators) and, when decimales >= 0, at most that many decimals.
void u_soloDecimales(QLineEdit *edit, int decimales = -1);
// Digits only (keys, document numbers); maxLength still applies.
void u_soloNumeros(QLineEdit *edit);
