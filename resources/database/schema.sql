-- The record database: patients (customers), their pictures and their dated notes.
-- Column sizes are enforced by CHECK constraints so that an over-long text is rejected as a
-- write error. Serials are AUTOINCREMENT so that a deleted patient's serial (and with it the
-- patient's media folder and identity photo) is never handed out again.
PRAGMA journal_mode = WAL;

CREATE TABLE customer_table (
    CUSTOMER_SERIAL_NUMBER INTEGER PRIMARY KEY AUTOINCREMENT,
    CUSTOMER_PID           TEXT CHECK (length(CUSTOMER_PID) <= 10),
    CUSTOMER_NAME          TEXT CHECK (length(CUSTOMER_NAME) <= 255),
    CUSTOMER_GENDER        TEXT CHECK (length(CUSTOMER_GENDER) <= 1),
    CUSTOMER_BLOOD_TYPE    TEXT CHECK (length(CUSTOMER_BLOOD_TYPE) <= 2),
    CUSTOMER_ADDRESS       TEXT,
    CUSTOMER_VISIT_FIRST   TEXT CHECK (length(CUSTOMER_VISIT_FIRST) <= 255)
);

CREATE TABLE photo_table (
    PHOTO_SERIAL_NUMBER    INTEGER PRIMARY KEY AUTOINCREMENT,
    CUSTOMER_SERIAL_NUMBER INTEGER,
    PHOTO_NAME             TEXT CHECK (length(PHOTO_NAME) <= 255),
    PHOTO_DATE             TEXT CHECK (length(PHOTO_DATE) <= 255),
    PHOTO_COMMENT          TEXT
);

CREATE TABLE note_table (
    NOTE_SERIAL_NUMBER     INTEGER PRIMARY KEY AUTOINCREMENT,
    CUSTOMER_SERIAL_NUMBER INTEGER,
    NOTE_DATE              TEXT CHECK (length(NOTE_DATE) <= 255),
    NOTE_COMMENT           TEXT
);
