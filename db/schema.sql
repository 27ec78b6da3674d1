-- The shop's shared tables as the till expects them. Loaded into an empty
-- database (named prodej) with the mariadb client.
-- Text columns are Windows-1250 with Czech ordering, like a Czech shop's database.
-- Money and quantities are exact decimals.

SET NAMES utf8mb4;

-- One row per line of a committed receipt. The work receipt tables copy these
-- columns positionally (INSERT ... SELECT *), so id2 stays right after platil.
CREATE TABLE uctenky (
  id INT NOT NULL AUTO_INCREMENT,
  cisuctenky BIGINT NOT NULL DEFAULT 0,
  datum DATETIME NULL DEFAULT NULL,
  stredisko VARCHAR(3) NOT NULL DEFAULT '',
  jkpov VARCHAR(20) NOT NULL DEFAULT '',
  nazev VARCHAR(40) NOT NULL DEFAULT '',
  zkratka VARCHAR(20) NOT NULL DEFAULT '',
  popis VARCHAR(100) NOT NULL DEFAULT '',
  popis2 VARCHAR(100) NOT NULL DEFAULT '',
  povaha CHAR(1) NOT NULL DEFAULT '',
  pocet INT NOT NULL DEFAULT 0,
  mnoz DECIMAL(14,3) NOT NULL DEFAULT 0,
  mj VARCHAR(3) NOT NULL DEFAULT '',
  pc DECIMAL(14,4) NOT NULL DEFAULT 0,
  pcsd0 DECIMAL(14,4) NOT NULL DEFAULT 0,
  slevaproc DECIMAL(7,2) NOT NULL DEFAULT 0,
  slevakc DECIMAL(14,4) NOT NULL DEFAULT 0,
  pcsd DECIMAL(14,4) NOT NULL DEFAULT 0,
  dph SMALLINT NOT NULL DEFAULT 0,
  cenar0 DECIMAL(14,2) NOT NULL DEFAULT 0,
  cenar DECIMAL(14,2) NOT NULL DEFAULT 0,
  sleva DECIMAL(14,2) NOT NULL DEFAULT 0,
  cislokarty VARCHAR(20) NULL DEFAULT NULL,
  soucetu DECIMAL(14,2) NOT NULL DEFAULT 0,
  -- the rounded total; while a line is in the work receipt, the purchase price
  soucetuzao DECIMAL(14,2) NOT NULL DEFAULT 0,
  typplatby CHAR(1) NOT NULL DEFAULT '',
  platil INT NOT NULL DEFAULT 0,
  id2 INT NOT NULL DEFAULT 0,
  z0 DECIMAL(14,2) NOT NULL DEFAULT 0,
  z5 DECIMAL(14,2) NOT NULL DEFAULT 0,
  z1 DECIMAL(14,2) NOT NULL DEFAULT 0,
  z23 DECIMAL(14,2) NOT NULL DEFAULT 0,
  d5 DECIMAL(14,2) NOT NULL DEFAULT 0,
  d1 DECIMAL(14,2) NOT NULL DEFAULT 0,
  d23 DECIMAL(14,2) NOT NULL DEFAULT 0,
  vydejka BIGINT NOT NULL DEFAULT 0,
  nc DECIMAL(14,4) NOT NULL DEFAULT 0,
  stul VARCHAR(10) NOT NULL DEFAULT '',
  ean VARCHAR(20) NOT NULL DEFAULT '',
  PRIMARY KEY (id),
  KEY uctenky_cislo (stredisko, cisuctenky),
  KEY uctenky_datum (stredisko, datum),
  KEY uctenky_polozka (stredisko, jkpov, datum),
  KEY uctenky_cisuctenky (cisuctenky)
) ENGINE=InnoDB DEFAULT CHARSET=cp1250 COLLATE=cp1250_czech_cs;

-- The product list, one row per product and branch.
CREATE TABLE seznam (
  stredisko VARCHAR(3) NOT NULL,
  jkpov VARCHAR(20) NOT NULL,
  nazev VARCHAR(40) NOT NULL DEFAULT '',
  zkratka VARCHAR(20) NOT NULL DEFAULT '',
  popis VARCHAR(100) NOT NULL DEFAULT '',
  popis2 VARCHAR(100) NOT NULL DEFAULT '',
  povaha CHAR(1) NOT NULL DEFAULT '',
  mj VARCHAR(3) NOT NULL DEFAULT '',
  pc DECIMAL(14,4) NOT NULL DEFAULT 0,
  pcsd DECIMAL(14,4) NOT NULL DEFAULT 0,
  dph SMALLINT NOT NULL DEFAULT 0,
  slevaproc DECIMAL(7,2) NOT NULL DEFAULT 0,
  slevakc DECIMAL(14,4) NOT NULL DEFAULT 0,
  nc DECIMAL(14,4) NOT NULL DEFAULT 0,
  pnc DECIMAL(14,4) NOT NULL DEFAULT 0,
  stav DECIMAL(14,3) NOT NULL DEFAULT 0,
  zustatek DECIMAL(14,3) NOT NULL DEFAULT 0,
  aktivni CHAR(1) NOT NULL DEFAULT 'A',
  fofrcislo INT NOT NULL DEFAULT 0,
  ean VARCHAR(20) NOT NULL DEFAULT '',
  skupina VARCHAR(20) NOT NULL DEFAULT '',
  PRIMARY KEY (stredisko, jkpov),
  KEY seznam_fofr (stredisko, fofrcislo),
  KEY seznam_ean (stredisko, ean),
  KEY seznam_nazev (stredisko, aktivni, nazev)
) ENGINE=InnoDB DEFAULT CHARSET=cp1250 COLLATE=cp1250_czech_cs;

-- Further EAN codes of products.
CREATE TABLE seznamean (
  id INT NOT NULL AUTO_INCREMENT,
  stredisko VARCHAR(3) NOT NULL,
  ean VARCHAR(20) NOT NULL,
  jkpov VARCHAR(20) NOT NULL,
  PRIMARY KEY (id),
  KEY seznamean_ean (stredisko, ean)
) ENGINE=InnoDB DEFAULT CHARSET=cp1250 COLLATE=cp1250_czech_cs;

-- Branches. The receipt templates print the address columns.
CREATE TABLE strediska (
  stredisko VARCHAR(3) NOT NULL,
  nazev VARCHAR(60) NOT NULL DEFAULT '',
  ulice VARCHAR(60) NOT NULL DEFAULT '',
  mesto VARCHAR(40) NOT NULL DEFAULT '',
  psc VARCHAR(6) NOT NULL DEFAULT '',
  telefon VARCHAR(20) NOT NULL DEFAULT '',
  ico VARCHAR(12) NOT NULL DEFAULT '',
  dic VARCHAR(14) NOT NULL DEFAULT '',
  evid_platby CHAR(1) NOT NULL DEFAULT 'N',
  PRIMARY KEY (stredisko)
) ENGINE=InnoDB DEFAULT CHARSET=cp1250 COLLATE=cp1250_czech_cs;

-- Customer cards.
CREATE TABLE zakarty (
  cislokarty VARCHAR(20) NOT NULL,
  sleva INT NOT NULL DEFAULT 0,
  nazevpodni VARCHAR(60) NOT NULL DEFAULT '',
  ico VARCHAR(12) NOT NULL DEFAULT '',
  PRIMARY KEY (cislokarty)
) ENGINE=InnoDB DEFAULT CHARSET=cp1250 COLLATE=cp1250_czech_cs;

-- Delivery-note lines captured on a hand-held terminal.
CREATE TABLE dlterm (
  id INT NOT NULL AUTO_INCREMENT,
  odberatel VARCHAR(10) NOT NULL DEFAULT '',
  datumcas DATETIME NULL DEFAULT NULL,
  datum VARCHAR(10) NOT NULL DEFAULT '',
  cas VARCHAR(5) NOT NULL DEFAULT '',
  terminal SMALLINT NOT NULL DEFAULT 0,
  stredisko VARCHAR(3) NOT NULL DEFAULT '',
  jkpov VARCHAR(20) NOT NULL DEFAULT '',
  mnoz DECIMAL(14,3) NOT NULL DEFAULT 0,
  nazev VARCHAR(40) NOT NULL DEFAULT '',
  mj VARCHAR(3) NOT NULL DEFAULT '',
  pc DECIMAL(14,4) NOT NULL DEFAULT 0,
  dph SMALLINT NOT NULL DEFAULT 0,
  pcsd DECIMAL(14,4) NOT NULL DEFAULT 0,
  PRIMARY KEY (id),
  KEY dlterm_odberatel (stredisko, odberatel)
) ENGINE=InnoDB DEFAULT CHARSET=cp1250 COLLATE=cp1250_czech_cs;

-- Goods receipts: header and lines.
CREATE TABLE prijem (
  cislodokla VARCHAR(20) NOT NULL,
  datum DATE NULL DEFAULT NULL,
  nazevpodni VARCHAR(60) NOT NULL DEFAULT '',
  PRIMARY KEY (cislodokla)
) ENGINE=InnoDB DEFAULT CHARSET=cp1250 COLLATE=cp1250_czech_cs;

CREATE TABLE prirad (
  id INT NOT NULL AUTO_INCREMENT,
  cislodokla VARCHAR(20) NOT NULL,
  stredisko VARCHAR(3) NOT NULL DEFAULT '',
  jkpov VARCHAR(20) NOT NULL DEFAULT '',
  nazev VARCHAR(40) NOT NULL DEFAULT '',
  mnoz DECIMAL(14,3) NOT NULL DEFAULT 0,
  nc DECIMAL(14,4) NOT NULL DEFAULT 0,
  zustatek DECIMAL(14,3) NOT NULL DEFAULT 0,
  PRIMARY KEY (id),
  KEY prirad_doklad (cislodokla),
  KEY prirad_polozka (stredisko, jkpov)
) ENGINE=InnoDB DEFAULT CHARSET=cp1250 COLLATE=cp1250_czech_cs;

-- Delivery notes: header and lines.
CREATE TABLE dl (
  cislodokla VARCHAR(20) NOT NULL,
  datum DATE NULL DEFAULT NULL,
  nazevpodni VARCHAR(60) NOT NULL DEFAULT '',
  PRIMARY KEY (cislodokla)
) ENGINE=InnoDB DEFAULT CHARSET=cp1250 COLLATE=cp1250_czech_cs;

CREATE TABLE dlrad (
  id INT NOT NULL AUTO_INCREMENT,
  cislodokla VARCHAR(20) NOT NULL,
  stredisko VARCHAR(3) NOT NULL DEFAULT '',
  jkpov VARCHAR(20) NOT NULL DEFAULT '',
  nazev VARCHAR(40) NOT NULL DEFAULT '',
  mnoz DECIMAL(14,3) NOT NULL DEFAULT 0,
  nc DECIMAL(14,4) NOT NULL DEFAULT 0,
  PRIMARY KEY (id),
  KEY dlrad_doklad (cislodokla),
  KEY dlrad_polozka (stredisko, jkpov)
) ENGINE=InnoDB DEFAULT CHARSET=cp1250 COLLATE=cp1250_czech_cs;

-- Costs booked against sales, summed per branch by the takings report.
CREATE TABLE uctenkynakl (
  id INT NOT NULL AUTO_INCREMENT,
  stredisko VARCHAR(3) NOT NULL DEFAULT '',
  jkpov VARCHAR(20) NOT NULL DEFAULT '',
  cenar DECIMAL(14,2) NOT NULL DEFAULT 0,
  datum DATETIME NULL DEFAULT NULL,
  PRIMARY KEY (id),
  KEY uctenkynakl_datum (stredisko, datum)
) ENGINE=InnoDB DEFAULT CHARSET=cp1250 COLLATE=cp1250_czech_cs;

-- Recomputes the stock of every product: goods received, less goods sold on
-- receipts and goods sent out on delivery notes.
DELIMITER //
CREATE PROCEDURE seznam_stav()
BEGIN
  -- The movements summed per product into a keyed table first: joining the
  -- grouped movements directly would compare every product with every group.
  DROP TEMPORARY TABLE IF EXISTS stav_pohyby;
  CREATE TEMPORARY TABLE stav_pohyby (
    stredisko VARCHAR(3) NOT NULL,
    jkpov VARCHAR(20) NOT NULL,
    m DECIMAL(18,3) NOT NULL,
    PRIMARY KEY (stredisko, jkpov)
  ) DEFAULT CHARSET=cp1250 COLLATE=cp1250_czech_cs;
  INSERT INTO stav_pohyby
    SELECT stredisko, jkpov, SUM(mnoz) FROM prirad GROUP BY stredisko, jkpov;
  INSERT INTO stav_pohyby
    SELECT stredisko, jkpov, -SUM(mnoz) FROM uctenky GROUP BY stredisko, jkpov
    ON DUPLICATE KEY UPDATE m = m + VALUES(m);
  INSERT INTO stav_pohyby
    SELECT stredisko, jkpov, -SUM(mnoz) FROM dlrad GROUP BY stredisko, jkpov
    ON DUPLICATE KEY UPDATE m = m + VALUES(m);
  UPDATE seznam s
    LEFT JOIN stav_pohyby t ON t.stredisko = s.stredisko AND t.jkpov = s.jkpov
  SET s.stav = IFNULL(t.m, 0);
  DROP TEMPORARY TABLE stav_pohyby;
END //
DELIMITER ;
