-- Tables named like ours with no version record: a copy made by hand, or another program.
CREATE TABLE inventarioEntrada (id INTEGER PRIMARY KEY, documento INTEGER, cantidad REAL);
INSERT INTO inventarioEntrada (documento, cantidad) VALUES (1, 10), (2, 4.5);
