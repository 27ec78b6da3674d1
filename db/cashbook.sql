-- The shop's cash book, in a database of its own (named by pokladnaDATABAZE,
-- "kordan" unless configured otherwise). The till only reads it.

CREATE TABLE pokladna (
  id INT NOT NULL AUTO_INCREMENT,
  datum DATE NULL DEFAULT NULL,
  stredisko VARCHAR(3) NOT NULL DEFAULT '',
  pohyb CHAR(1) NOT NULL DEFAULT 'P',
  kc DECIMAL(14,2) NOT NULL DEFAULT 0,
  text VARCHAR(60) NOT NULL DEFAULT '',
  PRIMARY KEY (id),
  KEY pokladna_stredisko (stredisko)
) ENGINE=InnoDB DEFAULT CHARSET=cp1250 COLLATE=cp1250_czech_cs;
