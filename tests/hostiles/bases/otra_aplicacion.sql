-- Another application's database: a point-of-sale's clients and tickets.
CREATE TABLE clientes (id INTEGER PRIMARY KEY, nombre TEXT NOT NULL, rfc TEXT);
CREATE TABLE tickets (id INTEGER PRIMARY KEY, cliente INTEGER, total REAL, fecha TEXT);
INSERT INTO clientes (nombre, rfc) VALUES ('Ferretería López', 'FLO010101AAA'), ('Juan Pérez', 'XAXX010101000');
INSERT INTO tickets (cliente, total, fecha) VALUES (1, 1520.50, '2025-01-03'), (2, 89.90, '2025-01-04');
