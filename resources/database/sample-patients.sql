-- The five sample patients of a new database: placed in every new database file, and in a new
-- server database when the administrator asks for them. Plain SQL that both engines read.
INSERT INTO customer_table VALUES (1, 'F111111111', 'Name111', 'M', 'AB', '1 Sample Street', '8/10/2015');
INSERT INTO customer_table VALUES (2, 'F222222222', 'Name222', 'F', 'B', '2 Sample Street', '2/1/2015');
INSERT INTO customer_table VALUES (3, 'F333333333', 'Name333', 'X', 'A', '3 Sample Street', '8/18/2015');
INSERT INTO customer_table VALUES (4, 'F444444444', 'Name444', 'M', 'A', '4 Sample Street', '8/19/2015');
INSERT INTO customer_table VALUES (5, 'F555555555', 'Name555', 'F', 'X', '5 Sample Street', '8/20/2015');
