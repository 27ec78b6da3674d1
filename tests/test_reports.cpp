#include "app/config.h"
#include "app/user_error.h"
#include "devices/report.h"
#include "reports/csv_export.h"
#include "reports/day_totals.h"
#include "reports/item_history.h"
#include "reports/sales_reports.h"
#include "store/db_session.h"
#include "support/test_db.h"
#include "support/working_folder.h"

#include <QImage>
#include <QSqlField>
#include <QTemporaryDir>
#include <QtTest>

// The takings reports, the item history and the day totals on a small shop.
class TestReports : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void byPaymentType();
    void byDayCountsEachDay();
    void receiptsAndLines();
    void productFilter();
    void groups();
    void profitWithoutCosts();
    void vatRecapitulation();
    void vatColumnsTitledWithTheRates();
    void cardDiscounts();
    void cleanUpWithoutTables();
    void scratchTablesOnDiskWhenMemoryIsFull_data();
    void scratchTablesOnDiskWhenMemoryIsFull();
    void everyKindRenders();
    void csvForSpreadsheets();
    void history();
    void historyQuoting();
    void dayTotals_data();
    void dayTotals();

private:
    QList<QSqlRecord> run(int kind, const QString &jkpov = QString(),
                          const QString &branch = QString());
    static QStringList cells(const QList<QSqlRecord> &rows, const QStringList &columns);

    TemporaryWorkingFolder m_dir; // trace files land here
    std::unique_ptr<DbSession> m_db;
};

void TestReports::init()
{
    testdb::reset();
    // Receipt 1: three lines, P1 twice; receipt 2: begun before midnight, card;
    // receipt 3: card discounts; receipt 4: branch 12.
    testdb::rootSql(QStringLiteral(R"(
insert into strediska set stredisko='777', ico='25000000', nazev='Praha';
insert into strediska set stredisko='12', ico='25001013', nazev='Brno';
insert into seznam set stredisko='777', jkpov='P1', nazev='Rohlík', skupina='pečivo', aktivni='A';
insert into seznam set stredisko='777', jkpov='P2', nazev='Noviny', skupina='tisk', aktivni='A';
insert into zakarty set cislokarty='2001', sleva=10, nazevpodni='Firma', ico='111';
insert into zakarty set cislokarty='2002', sleva=5, nazevpodni='Pobočka Brno', ico='25001013';
insert into uctenky (cisuctenky,id2,datum,stredisko,jkpov,nazev,mnoz,cenar,cenar0,dph,typplatby,soucetu,soucetuzao,z23,d23,z1,d1) values
 (1577700001,1,'2015-03-05 09:00:00','777','P1','Rohlík',1,121,121,21,'H',281,281,141.32,29.68,100,10),
 (1577700001,2,'2015-03-05 09:00:10','777','P2','Noviny',1,110,110,10,'H',281,281,141.32,29.68,100,10),
 (1577700001,3,'2015-03-05 09:00:20','777','P1','Rohlík',1,50,50,21,'H',281,281,141.32,29.68,100,10),
 (1577700002,1,'2015-03-05 23:50:00','777','P1','Rohlík',1,20,20,21,'K',40,40,33.06,6.94,0,0),
 (1577700002,2,'2015-03-06 00:10:00','777','P3','Mýdlo',1,20,20,21,'K',40,40,33.06,6.94,0,0),
 (151200001,1,'2015-03-07 10:00:00','12','P1','Rohlík',2,60.5,60.5,21,'H',60.5,61,50,10.5,0,0);
insert into uctenky (cisuctenky,id2,datum,stredisko,jkpov,nazev,mnoz,cenar,cenar0,sleva,cislokarty,dph,typplatby,soucetu,soucetuzao,z23,d23) values
 (1577700003,1,'2015-03-06 12:00:00','777','P1','Rohlík',1,90,100,10,'2001',21,'H',90+95+45,230,190.08,39.92),
 (1577700003,2,'2015-03-06 12:00:00','777','P1','Rohlík',1,95,100,5,'2002',21,'H',230,230,190.08,39.92),
 (1577700003,3,'2015-03-06 12:00:00','777','P1','Rohlík',1,45,50,5,'9999',21,'H',230,230,190.08,39.92);
insert into uctenkynakl (stredisko,jkpov,cenar,datum) values ('777','P1',30,'2015-03-05 12:00:00'), ('777','P2',20,'2015-03-06 12:00:00');
insert into prijem set cislodokla='PR1', datum='2015-03-01', nazevpodni='Velkoobchod';
insert into prirad set cislodokla='PR1', stredisko='777', jkpov='P1', nazev='Rohlík', mnoz=100, nc=2, zustatek=40;
insert into dl set cislodokla='DL1', datum='2015-03-06 00:00:00', nazevpodni='Hospoda';
insert into dlrad set cislodokla='DL1', stredisko='777', jkpov='P1', nazev='Rohlík', mnoz=7, nc=2;
)"));
    m_db = std::make_unique<DbSession>();
    m_db->open(testdb::settings());
}

QList<QSqlRecord> TestReports::run(int kind, const QString &jkpov, const QString &branch)
{
    SalesReportRequest r;
    r.kind = kind;
    r.from = QDate(2015, 3, 1);
    r.to = QDate(2015, 3, 31);
    r.stredisko = branch;
    r.jkpov = jkpov;
    r.cisloPC = QStringLiteral("05");
    Report report;
    runSalesReport(*m_db, r, QStringLiteral(PRODEJ_TEMPLATE_DIR), report);
    return report.rows();
}

QStringList TestReports::cells(const QList<QSqlRecord> &rows, const QStringList &columns)
{
    QStringList out;
    for (const QSqlRecord &r : rows) {
        QStringList line;
        for (const QString &c : columns) {
            const QVariant v = r.value(c);
            line << (v.isNull() ? QStringLiteral("NULL")
                     : v.metaType().id() == QMetaType::QDate
                         ? v.toDate().toString(Qt::ISODate)
                         : QString::number(v.toDouble(), 'g', 12));
            if (!v.isNull() && v.metaType().id() == QMetaType::QString && v.toDouble() == 0 &&
                !v.toString().startsWith(QLatin1Char('0')))
                line.last() = v.toString(); // text, not a number
        }
        out << line.join(QLatin1Char('|'));
    }
    out.sort();
    return out;
}

void TestReports::byPaymentType()
{
    // A receipt of three lines counts once.
    QCOMPARE(cells(run(0),
                   {QStringLiteral("stredisko"), QStringLiteral("typplatby"),
                    QStringLiteral("soucet"), QStringLiteral("zakl23"), QStringLiteral("zakl1")}),
             (QStringList{QStringLiteral("12|H|61|50|0"), QStringLiteral("777|H|511|331.4|100"),
                          QStringLiteral("777|K|40|33.06|0")}));
    QFile a(QStringLiteral("a.txt"));
    QVERIFY(a.open(QIODevice::ReadOnly));
    QVERIFY(a.readAll().startsWith("select stredisko,typplatby,sum(soucetuzao) as soucet"));
    // The branch field narrows it to one branch.
    QCOMPARE(run(0, QString(), QStringLiteral("12")).size(), 1);
}

void TestReports::byDayCountsEachDay()
{
    QCOMPARE(
        cells(run(1), {QStringLiteral("datumu"), QStringLiteral("stredisko"),
                       QStringLiteral("typplatby"), QStringLiteral("soucet")}),
        (QStringList{QStringLiteral("2015-03-05|777|H|281"), QStringLiteral("2015-03-05|777|K|40"),
                     QStringLiteral("2015-03-06|777|H|230"), QStringLiteral("2015-03-06|777|K|40"),
                     QStringLiteral("2015-03-07|12|H|61")}));
}

void TestReports::receiptsAndLines()
{
    QCOMPARE(run(2).size(), 4);
    const QList<QSqlRecord> lines = run(3);
    QCOMPARE(lines.size(), 9);
    QCOMPARE(lines.first().value(QStringLiteral("stredisko")).toString(), QStringLiteral("12"));
    QCOMPARE(lines.at(1).value(QStringLiteral("id2")).toInt(), 1);
    QCOMPARE(lines.at(2).value(QStringLiteral("id2")).toInt(), 2);
    const QList<QSqlRecord> byProduct = run(4);
    QCOMPARE(byProduct.at(1).value(QStringLiteral("jkpov")).toString(), QStringLiteral("P1"));
    QCOMPARE(byProduct.last().value(QStringLiteral("jkpov")).toString(), QStringLiteral("P3"));
}

void TestReports::productFilter()
{
    // Receipts containing P2 count with their whole totals...
    QCOMPARE(cells(run(0, QStringLiteral("P2")),
                   {QStringLiteral("typplatby"), QStringLiteral("soucet")}),
             QStringList{QStringLiteral("H|281")});
    // ...while line lists and group sums take only P2's lines.
    QCOMPARE(run(3, QStringLiteral("P2")).size(), 1);
    QCOMPARE(run(4, QStringLiteral("P2")).size(), 1);
    QCOMPARE(
        cells(run(5, QStringLiteral("P2")), {QStringLiteral("skupina"), QStringLiteral("soucet")}),
        QStringList{QStringLiteral("tisk|100")});
    // Costs are limited to the product too.
    QCOMPARE(
        cells(run(6, QStringLiteral("P2")), {QStringLiteral("soucetu"), QStringLiteral("cenar")}),
        QStringList{QStringLiteral("100|20")});
    // Blanks are a value, not "no filter".
    QCOMPARE(run(3, QStringLiteral(" ")).size(), 0);
}

void TestReports::groups()
{
    QCOMPARE(cells(run(5, QString(), QStringLiteral("777")),
                   {QStringLiteral("skupina"), QStringLiteral("soucet")}),
             (QStringList{QStringLiteral("NULL|16.528926"), QStringLiteral("pečivo|347.933885"),
                          QStringLiteral("tisk|100")}));
}

void TestReports::profitWithoutCosts()
{
    QCOMPARE(cells(run(6), {QStringLiteral("soucetu"), QStringLiteral("cenar")}),
             (QStringList{QStringLiteral("464.46281|50"), QStringLiteral("50|NULL")}));
}

void TestReports::vatRecapitulation()
{
    QCOMPARE(cells(run(7),
                   {QStringLiteral("cisuctenky"), QStringLiteral("cisuod"),
                    QStringLiteral("cisudo"), QStringLiteral("soucet0"), QStringLiteral("soucet")}),
             (QStringList{QStringLiteral("12150307|151200001|151200001|60.5|61"),
                          QStringLiteral("777150305|1577700001|1577700002|321|321"),
                          QStringLiteral("777150306|1577700002|1577700003|270|270")}));
}

void TestReports::vatColumnsTitledWithTheRates()
{
    for (int kind : {0, 1, 7}) { // by payment type, by day, VAT recapitulation
        SalesReportRequest r;
        r.kind = kind;
        r.from = QDate(2015, 3, 1);
        r.to = QDate(2015, 3, 31);
        r.cisloPC = QStringLiteral("05");
        r.vat.z1 = 12;
        Report report;
        runSalesReport(*m_db, r, QStringLiteral(PRODEJ_TEMPLATE_DIR), report);
        QVERIFY(report.prepare());
        QVERIFY2(report.html().contains(QStringLiteral("Základ 12 %")), qPrintable(report.html()));
        QVERIFY(!report.html().contains(QStringLiteral("10 %")));
    }
}

void TestReports::cardDiscounts()
{
    QCOMPARE(cells(run(8), {QStringLiteral("povaha"), QStringLiteral("cislokarty"),
                            QStringLiteral("slevaproc"), QStringLiteral("cenar0"),
                            QStringLiteral("sleva"), QStringLiteral("cenar")}),
             (QStringList{QStringLiteral("Z|2002|5|100|5|95"), QStringLiteral("|2001|10|100|10|90"),
                          QStringLiteral("|9999|0|50|5|45")})); // sorted: "|" after "Z"
    const QList<QSqlRecord> rows = run(8);
    QCOMPARE(rows.first().value(QStringLiteral("popis2")).toString(), QStringLiteral("Firma"));
}

void TestReports::cleanUpWithoutTables()
{
    for (const QString &statement : salesReportCleanUp(QStringLiteral("05")))
        m_db->exec(statement);
    run(7);
    for (const QString &statement : salesReportCleanUp(QStringLiteral("05")))
        m_db->exec(statement);
    QVERIFY(m_db->scalar(QStringLiteral("show tables like 'tmp05trz%'")).isNull());
}

void TestReports::scratchTablesOnDiskWhenMemoryIsFull_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("columns");
    QTest::newRow("by payment type")
        << 0 << QStringLiteral("stredisko typplatby soucet").split(QLatin1Char(' '));
    QTest::newRow("VAT recapitulation")
        << 7 << QStringLiteral("cisuctenky cisuod cisudo soucet zakl23").split(QLatin1Char(' '));
    QTest::newRow("card discounts")
        << 8 << QStringLiteral("povaha cislokarty sleva cenar").split(QLatin1Char(' '));
}

void TestReports::scratchTablesOnDiskWhenMemoryIsFull()
{
    QFETCH(int, kind);
    QFETCH(QStringList, columns);
    // 400 more receipts of one line: more than the 16 kB the smallest limit holds.
    testdb::rootSql(QStringLiteral(
        "insert into uctenky (cisuctenky,id2,datum,stredisko,jkpov,nazev,mnoz,cenar,cenar0,"
        "sleva,cislokarty,dph,typplatby,soucetu,soucetuzao,z23,d23) select 1577710000+seq,1,"
        "'2015-03-10 10:00:00'+interval seq minute,'777','P1','Rohlík',1,10,11,1,'2001',21,"
        "'H',10,10,8.26,1.74 from seq_1_to_400"));
    SalesReportRequest r;
    r.kind = kind;
    r.from = QDate(2015, 3, 1);
    r.to = QDate(2015, 3, 31);
    r.cisloPC = QStringLiteral("05");
    const QString engine =
        QStringLiteral("select engine from information_schema.tables where table_schema = "
                       "database() and table_name = 'tmp05trz1'");
    auto rows = [&] {
        QSqlQuery q = querySalesReport(*m_db, r);
        QList<QSqlRecord> out;
        while (q.next())
            out << q.record();
        return cells(out, columns);
    };
    const QStringList inMemory = rows();
    QCOMPARE(m_db->scalar(engine).toString(), QStringLiteral("MEMORY"));
    r.memoryLimit = 16384;
    QCOMPARE(rows(), inMemory);
    QCOMPARE(m_db->scalar(engine).toString(), QStringLiteral("MyISAM"));
}

void TestReports::everyKindRenders()
{
    for (int kind = 0; kind < 9; ++kind) {
        SalesReportRequest r;
        r.kind = kind;
        r.from = QDate(2015, 3, 1);
        r.to = QDate(2015, 3, 31);
        r.cisloPC = QStringLiteral("05");
        Report report;
        runSalesReport(*m_db, r, QStringLiteral(PRODEJ_TEMPLATE_DIR), report);
        QVERIFY2(!report.isEmpty(), qPrintable(salesReportTemplate(kind)));
        QVERIFY2(report.prepare(), qPrintable(report.error()));
        QVERIFY(report.html().contains(QStringLiteral("1. 3. 2015")));
        const QImage page = renderImage(report, 50);
        QVERIFY(report.page().widthMm == 210 || report.page().widthMm == 297); // A4, either way
        QCOMPARE(page.width(), qRound(report.page().widthMm / 25.4 * 50));
    }
}

void TestReports::csvForSpreadsheets()
{
    const QList<QSqlRecord> rows = run(0, QString(), QStringLiteral("12"));
    const QByteArray utf8 = csvText(rows, CsvEncoding::Utf8WithBom);
    QVERIFY(utf8.startsWith("\xEF\xBB\xBF"
                            "stredisko;typplatby;soucet;"));
    QVERIFY(utf8.contains("\r\n12;H;61,00;0,00;0,00;50,00;"));
    QVERIFY(utf8.contains(";10,50;")); // decimal comma
    QSqlRecord r;
    QSqlField name(QStringLiteral("nazev"), QMetaType(QMetaType::QString));
    name.setValue(QStringLiteral("Šunka; \"dušená\""));
    r.append(name);
    const QByteArray windows = csvText({r}, CsvEncoding::Windows1250);
    QCOMPARE(windows, QByteArray("nazev\r\n\"\x8A"
                                 "unka; \"\"du\x9A"
                                 "en\xE1\"\"\"\r\n"));
}

void TestReports::history()
{
    ItemHistory h(*m_db, QStringLiteral("05"), QStringLiteral("P1"), QStringLiteral("777"));
    h.build();
    const ItemHistory::Sums sums = h.sums();
    QCOMPARE(sums.received.toDouble(), 100.0);
    QCOMPARE(sums.delivered.toDouble(), 7.0);
    QCOMPARE(sums.sold.toDouble(), 6.0); // every receipt line of P1 at 777
    auto count = [&](bool p, bool v, bool u, const QDate &from) {
        QSqlQuery q = m_db->query(h.filterQuery(p, v, u, from));
        int n = 0;
        while (q.next())
            ++n;
        return n;
    };
    QCOMPARE(count(true, true, true, QDate()), 8);
    QCOMPARE(count(false, false, false, QDate()), 0);
    QCOMPARE(count(false, true, false, QDate()), 1);
    QCOMPARE(count(true, true, true, QDate(2015, 3, 6)), 4); // the delivery note at 00:00 is in
    h.drop();
    QVERIFY(m_db->scalar(QStringLiteral("show tables like 'tmp05histo'")).isNull());
}

void TestReports::historyQuoting()
{
    const QString code = QStringLiteral("a'b\\");
    testdb::rootSql(
        QStringLiteral("insert into uctenky set cisuctenky=1, datum='2015-03-05', stredisko='777', "
                       "jkpov='a''b\\\\', mnoz=3;"));
    ItemHistory h(*m_db, QStringLiteral("05"), code, QStringLiteral("777"));
    h.build();
    QCOMPARE(h.sums().sold.toDouble(), 3.0);
    QCOMPARE(h.sums().received, QStringLiteral("0"));
}

void TestReports::dayTotals_data()
{
    QTest::addColumn<QString>("receipts");   // SQL inserting today's receipts
    QTest::addColumn<QString>("cashBook");   // SQL inserting cash-book rows
    QTest::addColumn<QString>("bookBranch"); // pokladnaSTREDISKO
    QTest::addColumn<double>("cash");
    QTest::addColumn<double>("book");
    const QString multi = QStringLiteral(
        "insert into uctenky (cisuctenky,id2,datum,stredisko,typplatby,soucetuzao) values "
        "(2677700001,1,NOW(),'777','H',100),(2677700001,2,NOW(),'777','H',100),(2677700002,1,NOW(),"
        "'777','K',50),"
        "(2677700003,1,NOW(),'777','H',-30),(2677700004,1,NOW() - INTERVAL 2 DAY,'777','H',999),"
        "(2600100001,1,NOW(),'001','H',500);");
    const QString book = QStringLiteral("insert into kordan.pokladna (stredisko,pohyb,kc) values "
                                        "('P1','P',1000),('P1','V',300),('P2','P',5);");
    QTest::newRow("no receipts") << QString() << book << "P1" << 0.0 << 700.0;
    QTest::newRow("multi-line, card, refund") << multi << book << "P1" << 70.0 << 700.0;
    QTest::newRow("only card")
        << QStringLiteral("insert into uctenky (cisuctenky,datum,stredisko,typplatby,soucetuzao)"
                          " values (2677700001,NOW(),'777','K',80);")
        << book << "P1" << 0.0 << 700.0;
    QTest::newRow("no cash book") << multi << QString() << "" << 70.0 << 0.0;
    QTest::newRow("negative cash book")
        << multi
        << QStringLiteral("insert into kordan.pokladna (stredisko,pohyb,kc) values "
                          "('P1','V',250);")
        << "P1" << 70.0 << -250.0;
}

void TestReports::dayTotals()
{
    QFETCH(QString, receipts);
    QFETCH(QString, cashBook);
    QFETCH(QString, bookBranch);
    QFETCH(double, cash);
    QFETCH(double, book);
    testdb::rootSql(QStringLiteral("delete from uctenky; delete from kordan.pokladna;") + receipts +
                    cashBook);
    Config config;
    config.pokladnaStredisko = bookBranch;
    const DayTotals totals =
        readDayTotals(*m_db, config, QStringLiteral("05"), QStringLiteral("777"));
    QCOMPARE(totals.cash, cash);
    QCOMPARE(totals.cashBook, book);
    QCOMPARE(totals.total(), cash + book);
    const QStringList lines = dayTotalsMessage(totals).split(QLatin1Char('\r'));
    QCOMPARE(lines.size(), 3);
    QVERIFY(lines.at(0).startsWith(QStringLiteral("hotově     ")));
    QVERIFY(lines.at(1).startsWith(QStringLiteral("pokladna  ")));
    QVERIFY(lines.at(2).startsWith(QStringLiteral("celkem      ")));
    // A database name that is not a plain name never reaches the statement.
    config.pokladnaDatabaze = QStringLiteral("kordan.pokladna; drop table uctenky; --");
    config.pokladnaStredisko = QStringLiteral("P1");
    QVERIFY_THROWS_EXCEPTION(
        UserError, readDayTotals(*m_db, config, QStringLiteral("05"), QStringLiteral("777")));
}

QTEST_MAIN(TestReports)
#include "test_reports.moc"
