-- Written by a newer program in WAL mode: the refusal must not leave -wal or -shm files behind.
PRAGMA journal_mode = WAL;
CREATE TABLE inventarioVersionEsquema (version INTEGER NOT NULL);
INSERT INTO inventarioVersionEsquema (version) VALUES (999);
CREATE TABLE negocio (id INTEGER PRIMARY KEY AUTOINCREMENT, nombre TEXT);
