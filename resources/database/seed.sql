-- The template's counters after its sample patients: 5 (customers), 5 (notes) and 0 (photos).
INSERT INTO sqlite_sequence (name, seq) VALUES ('note_table', 5), ('photo_table', 0);
