#include "app/user_error.h"
#include "devices/receipt_print.h"
#include "devices/report.h"
#include "devices/text_utils.h"
#include "sale/receipt_commit.h"
#include "store/db_session.h"
#include "store/sql_text.h"
#include "store/work_tables.h"
#include "support/receipt_fixture.h"
#include "support/test_db.h"
#include "support/working_folder.h"

#include <QImage>
#include <QProcess>
#include <QSqlField>
#include <QTemporaryDir>
#include <QtTest>

// Choosing, filling and rendering receipt templates.
class TestReceiptPrint : public QObject
{
    Q_OBJECT
private slots:
    void templateChoice_data();
    void templateChoice();
    void everyTemplateIsShipped();
    void reprintNumber();
    void queryText();
    void missingTemplateIsAnEmptyReport();
    void brokenTemplateDoesNotPrepare();
    void templateFields();
    void committedReceiptAsPdf_data();
    void committedReceiptAsPdf();
    void configuredVatRatesAreShown();

private:
    QString pdfText(Report &report);
    TemporaryWorkingFolder m_dir; // trace files land here
};

void TestReceiptPrint::templateChoice_data()
{
    QTest::addColumn<bool>("tableService");
    QTest::addColumn<int>("typ");
    QTest::addColumn<QVariant>("evid");
    QTest::addColumn<QVariant>("platil");
    QTest::addColumn<QVariant>("card");
    QTest::addColumn<QString>("file");
    const QVariant a(QStringLiteral("A")), n(QStringLiteral("N")), none,
        card(QStringLiteral("2001"));
    const QVariant paid(300), zero(0);
    // Base: payment recorded or not, card or not.
    QTest::newRow("cash, branch records") << false << 0 << a << paid << none << "uct2.fr3";
    QTest::newRow("cash with card") << false << 0 << a << paid << card << "uct3.fr3";
    QTest::newRow("paid 0 (card payment, refund)") << false << 0 << a << zero << card << "uct1.fr3";
    QTest::newRow("branch does not record") << false << 0 << n << paid << none << "uct1.fr3";
    QTest::newRow("small a does not record")
        << false << 0 << QVariant(QStringLiteral("a")) << paid << none << "uct1.fr3";
    QTest::newRow("no branch row") << false << 0 << none << paid << none << "uct1.fr3";
    // Families, counter sale.
    QTest::newRow("counter 1") << false << 1 << a << paid << none << "uct2p.fr3";
    QTest::newRow("counter 2") << false << 2 << a << paid << none << "uct2.fr3";
    QTest::newRow("counter 6") << false << 6 << a << paid << none << "uct2p6.fr3";
    QTest::newRow("counter 7") << false << 7 << a << paid << card << "uct3p7.fr3";
    QTest::newRow("counter 8") << false << 8 << n << paid << none << "uct1p8.fr3";
    QTest::newRow("counter 9") << false << 9 << a << paid << none << "uct2p9.fr3";
    QTest::newRow("counter 5") << false << 5 << a << paid << none << "uct2.fr3";
    // Families, table service.
    QTest::newRow("table 0") << true << 0 << a << paid << none << "uct2_s.fr3";
    QTest::newRow("table 1") << true << 1 << a << paid << none << "uct2p_s.fr3";
    QTest::newRow("table 2") << true << 2 << a << paid << card << "uct3sl_s.fr3";
    QTest::newRow("table 6") << true << 6 << a << paid << none << "uct2_s.fr3";
    QTest::newRow("table 7") << true << 7 << n << paid << none << "uct1p7_s.fr3";
    QTest::newRow("table 8") << true << 8 << a << paid << none << "uct2p8_s.fr3";
    QTest::newRow("table 9") << true << 9 << a << paid << none << "uct2_s.fr3";
    QTest::newRow("table -3") << true << -3 << a << zero << none << "uct1_s.fr3";
}

void TestReceiptPrint::templateChoice()
{
    QFETCH(bool, tableService);
    QFETCH(int, typ);
    QFETCH(QVariant, evid);
    QFETCH(QVariant, platil);
    QFETCH(QVariant, card);
    QFETCH(QString, file);
    const ReceiptScreen screen =
        tableService ? ReceiptScreen::TableService : ReceiptScreen::CounterSale;
    QCOMPARE(receiptTemplateBase(evid, platil, card) + receiptFamilySuffix(screen, typ) +
                 QStringLiteral(".fr3"),
             file);
}

void TestReceiptPrint::everyTemplateIsShipped()
{
    const QStringList counter = receiptTemplateFiles(ReceiptScreen::CounterSale);
    const QStringList tables = receiptTemplateFiles(ReceiptScreen::TableService);
    QCOMPARE(counter.size(), 18);
    QCOMPARE(tables.size(), 15);
    for (const QString &name : counter + tables)
        QVERIFY2(QFile::exists(QStringLiteral(PRODEJ_TEMPLATE_DIR "/") + name), qPrintable(name));
}

void TestReceiptPrint::reprintNumber()
{
    QCOMPARE(reprintReceiptNumber(15, QStringLiteral("643"), 12), 1564300012LL);
    QCOMPARE(reprintReceiptNumber(15, QStringLiteral("043"), 7), 1504300007LL);
    QCOMPARE(branchFieldValue(QStringLiteral("043")), 43);
    QCOMPARE(reprintReceiptNumber(26, QStringLiteral("777"), 1), 2677700001LL);
    QVERIFY_THROWS_EXCEPTION(UserError, reprintReceiptNumber(15, QStringLiteral("A1"), 1));
}

void TestReceiptPrint::queryText()
{
    QCOMPARE(receiptQuery(), QStringLiteral("select * from uctenky\n LEFT JOIN strediska\n"
                                            " ON (uctenky.stredisko=strediska.stredisko)\n"
                                            " where uctenky.cisuctenky=@CiUc"));
    QVERIFY(receiptQuery(2677700001LL)
                .endsWith(QStringLiteral(" where uctenky.cisuctenky=2677700001")));
}

void TestReceiptPrint::missingTemplateIsAnEmptyReport()
{
    Report report;
    QVERIFY(!report.loadFromFile(m_dir.filePath(QStringLiteral("fr3/neni.fr3"))));
    QVERIFY(report.isEmpty());
    QVERIFY(report.prepare());
    QCOMPARE(report.html(), QString());
    QVERIFY(exportPdf(report, m_dir.filePath(QStringLiteral("empty.pdf"))));
}

void TestReceiptPrint::brokenTemplateDoesNotPrepare()
{
    Report report;
    report.setTemplateText(QStringLiteral("<p>{{#rows}}neuzavřená sekce</p>"));
    QVERIFY(!report.prepare());
    QVERIFY(!report.error().isEmpty());
    QVERIFY(!report.isPrepared());
}

void TestReceiptPrint::templateFields()
{
    QSqlRecord r;
    QSqlField name(QStringLiteral("nazev"), QMetaType(QMetaType::QString),
                   QStringLiteral("uctenky"));
    name.setValue(QStringLiteral("Rohlík <velký> & co"));
    QSqlField branchName(QStringLiteral("nazev"), QMetaType(QMetaType::QString),
                         QStringLiteral("strediska"));
    branchName.setValue(QStringLiteral("Prodejna"));
    QSqlField amount(QStringLiteral("cenar"), QMetaType(QMetaType::Double));
    amount.setValue(QStringLiteral("1234.5"));
    QSqlField zero(QStringLiteral("sleva"), QMetaType(QMetaType::Double));
    zero.setValue(QStringLiteral("0.00"));
    QSqlField card(QStringLiteral("cislokarty"), QMetaType(QMetaType::QString));
    r.append(name);
    r.append(branchName);
    r.append(amount);
    r.append(zero);
    r.append(card);
    Report report;
    report.setData(QList<QSqlRecord>{r, r});
    report.setVariable(QStringLiteral("oddata"), QStringLiteral("1. 1. 2015"));
    report.setTemplateText(
        QStringLiteral("{{first.nazev}}|{{first.strediska.nazev}}|{{first.cenar_kc}}|"
                       "{{first.cenar_cele}}|{{#first.has_sleva}}S{{/first.has_sleva}}|"
                       "{{#first.has_cislokarty}}K{{/first.has_cislokarty}}|{{sum.cenar_kc}}|"
                       "{{count}}|{{oddata}}"));
    QVERIFY(report.prepare());
    const QString sep = text::systemDecimalSeparator();
    QCOMPARE(report.html(), QStringLiteral("Rohlík &lt;velký&gt; &amp; co|Prodejna|1 234") + sep +
                                QStringLiteral("50|1 235|||2 469") + sep +
                                QStringLiteral("00|2|1. 1. 2015"));
}

QString TestReceiptPrint::pdfText(Report &report)
{
    const QString pdf = m_dir.filePath(QStringLiteral("uctenka.pdf"));
    QFile::remove(pdf);
    QString error;
    if (!exportPdf(report, pdf, &error))
        qFatal("%s", qPrintable(error));
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

void TestReceiptPrint::committedReceiptAsPdf_data()
{
    QTest::addColumn<int>("paid");
    QTest::addColumn<QString>("evid");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QStringList>("notShown");
    const QStringList payment{QStringLiteral("Přijato"), QStringLiteral("Vráceno"),
                              text::formatAmount(69).trimmed()};
    QTest::newRow("cash, paid 300") << 300 << "A"
                                    << "uct2.fr3" << payment << QStringList();
    QTest::newRow("branch without payments") << 300 << "N"
                                             << "uct1.fr3" << QStringList() << payment;
}

void TestReceiptPrint::committedReceiptAsPdf()
{
    QFETCH(int, paid);
    QFETCH(QString, evid);
    QFETCH(QString, file);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, notShown);
    testdb::reset();
    DbSession db;
    db.open(testdb::settings());
    testdb::rootSql(
        QStringLiteral(
            "insert into strediska set stredisko='777', nazev='Smíšené zboží U Lípy', "
            "ulice='Nádražní 12', mesto='Kolín', psc='280 02', ico='12345678', evid_platby=") +
        sql::quote(evid));
    WorkTables(QStringLiteral("01")).createForCounterSale(db);
    fixture::addWorkLine(db, QStringLiteral("01"), {QStringLiteral("A"), 21, 121.00, 1});
    fixture::addWorkLine(db, QStringLiteral("01"), {QStringLiteral("B"), 10, 55.00, 2});
    CommitInput in;
    in.cisloPC = QStringLiteral("01");
    in.stredisko = QStringLiteral("777");
    in.paid = paid;
    const qint64 number = UlozUcte(db, in);

    // Right after the commit, on its connection, as the till prints.
    ReceiptPrint print(ReceiptScreen::CounterSale, 0, QStringLiteral(PRODEJ_TEMPLATE_DIR));
    print.load(db);
    QCOMPARE(print.templateFile(), file);
    QCOMPARE(print.report().rows().size(), 2);
    QVERIFY(print.report().prepare());
    const QString text = pdfText(print.report());
    for (const QString &expected :
         QStringList{QStringLiteral("Smíšené zboží U Lípy"), QStringLiteral("Nádražní 12"),
                     QStringLiteral("280 02 Kolín"), QString::number(number),
                     QStringLiteral("Zboží A"), QStringLiteral("Zboží B"),
                     text::formatAmount(231).trimmed(), // total
                     QStringLiteral("21 %"), text::formatAmount(100).trimmed(),
                     text::formatAmount(21).trimmed(), QStringLiteral("10 %"),
                     text::formatAmount(10).trimmed()} +
             shown)
        QVERIFY2(text.contains(expected),
                 qPrintable(expected + QStringLiteral(" missing in:\n") + text));
    for (const QString &unexpected : notShown)
        QVERIFY2(!text.contains(unexpected), qPrintable(unexpected));

    // The roll is 80 mm wide and as long as the receipt.
    const QImage image = renderImage(print.report(), 203);
    QCOMPARE(image.width(), qRound(80 / 25.4 * 203));
    QVERIFY(image.height() > image.width());
    QVERIFY(image.height() < 4 * image.width());

    // A number that matches no receipt: empty data set, uct1, nothing to print.
    print.load(db, 1577799999LL);
    QCOMPARE(print.templateFile(), QStringLiteral("uct1.fr3"));
    QVERIFY(print.report().rows().isEmpty());
    QVERIFY(print.report().prepare());
}

void TestReceiptPrint::configuredVatRatesAreShown()
{
    testdb::reset();
    DbSession db;
    db.open(testdb::settings());
    testdb::rootSql(QStringLiteral("insert into strediska set stredisko='777', nazev='U Lípy', "
                                   "evid_platby='A'"));
    WorkTables(QStringLiteral("01")).createForCounterSale(db);
    fixture::addWorkLine(db, QStringLiteral("01"), {QStringLiteral("A"), 12, 112.00, 1});
    fixture::addWorkLine(db, QStringLiteral("01"), {QStringLiteral("B"), 21, 121.00, 1});
    CommitInput in;
    in.cisloPC = QStringLiteral("01");
    in.stredisko = QStringLiteral("777");
    in.paid = 250;
    in.vat.z1 = 12;
    UlozUcte(db, in);
    ReceiptPrint print(ReceiptScreen::CounterSale, 0, QStringLiteral(PRODEJ_TEMPLATE_DIR));
    print.setVatRates(in.vat);
    print.load(db);
    QVERIFY(print.report().prepare());
    const QString text = pdfText(print.report());
    // Only the rates on the receipt, each with its configured value.
    for (const char *shown : {"12 %", "21 %"})
        QVERIFY2(text.contains(QLatin1String(shown)), qPrintable(text));
    for (const char *absent : {"10 %", "15 %"})
        QVERIFY2(!text.contains(QLatin1String(absent)), qPrintable(text));
}

QTEST_MAIN(TestReceiptPrint)
#include "test_receipt_print.moc"
