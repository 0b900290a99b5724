-- A valid SQLite file that holds nothing yet (only a header setting).
PRAGMA user_version = 7;
