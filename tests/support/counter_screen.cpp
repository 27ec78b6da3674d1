#include "support/counter_screen.h"

#include "store/sql_text.h"
#include "support/test_db.h"
#include "support/typing.h"
#include "tables/table_map_window.h"
#include "tables/table_sale_window.h"

#include <QInputDialog>
#include <QPushButton>

#include <QScopeGuard>
#include <QTimer>
#include <QtTest>

CounterScreen::CounterScreen()
{
    watcher = std::make_unique<ModalWatcher>();
    connect(&m_mapPoll, &QTimer::timeout, this, &CounterScreen::answerMapOpening);
    m_mapPoll.start(20);
    // A timer of its own: the name is asked for while the map's timer is still
    // busy with the click, and a timer does not fire inside its own slot.
    connect(&m_namePoll, &QTimer::timeout, this, [this] {
        if (auto *name = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
            name && name->isActiveWindow()) {
            name->setTextValue(m_nameToType);
            name->accept();
        }
    });
    m_namePoll.start(20);
}

void CounterScreen::answerMapOpening()
{
    // Not waiting for the map to be the active window: after a refused name the
    // message box is gone but the activation may not come back to the map.
    auto *stoly = qobject_cast<TFstoly *>(QApplication::activeModalWidget());
    if (!stoly || !stoly->isVisible())
        return;
    if (m_mapAnswers.isEmpty()) {
        stoly->reject();
        return;
    }
    const MapAnswer answer = m_mapAnswers.takeFirst();
    QPushButton *panel = stoly->panel(answer.panel);
    QVERIFY2(panel, qPrintable(answer.panel));
    m_nameToType = answer.name;
    panel->click();
}

void CounterScreen::answerMap(const QString &panel, const QString &name)
{
    m_mapAnswers.append({panel, name});
}

void CounterScreen::chooseOnMap(const QString &panel, const QString &name)
{
    answerMap(panel, name);
    QTRY_VERIFY(codeField()->hasFocus());
    QTest::keyClick(codeField(), Qt::Key_F4);
    QTRY_VERIFY(m_mapAnswers.isEmpty() && !map().isVisible());
    QTRY_VERIFY(codeField()->hasFocus() && screen->hotKeysOn());
}

TFstoly &CounterScreen::map() const
{
    return static_cast<TFstuctenka &>(*screen).map();
}

CounterScreen::~CounterScreen()
{
    stop();
}

void CounterScreen::loadShop()
{
    testdb::reset();
    testdb::rootSql(QStringLiteral(
        "insert into strediska set stredisko='777', ico='12345678', evid_platby='A', "
        "nazev='Prodejna';"
        "insert into seznam set stredisko='777', jkpov='100123', nazev='Rohlík', povaha='K', "
        "mj='ks', pc=17.39,"
        " pcsd=20, slevakc=2.5, dph=15, fofrcislo=5, ean='8591234567890', stav=5, zustatek=40, "
        "nc=12.5,"
        " aktivni='A';"
        "insert into seznam set stredisko='777', jkpov='200123', nazev='Sýr Eidam', povaha='', "
        "mj='kg', pc=86.96,"
        " pcsd=100, dph=15, fofrcislo=7, stav=10, aktivni='A';"
        "insert into seznamean set stredisko='777', ean='12345670', jkpov='200123';"
        "insert into seznam set stredisko='777', jkpov='300300', nazev='Kávovar', povaha='K', "
        "mj='ks', pc=826.45,"
        " pcsd=1000, dph=21, stav=3, aktivni='A';"
        "insert into seznam set stredisko='777', jkpov='400400', nazev='Pečivo mix', povaha='K', "
        "mj='ks',"
        " pcsd=49.75, dph=15, stav=100, aktivni='A';"
        "insert into seznam set stredisko='777', jkpov='500500', nazev='Kniha', povaha='K', "
        "mj='ks',"
        " pcsd=110, dph=10, stav=100, aktivni='A';"
        "insert into zakarty set cislokarty='777001', sleva=7, nazevpodni='Firma Sedm';"
        "insert into zakarty set cislokarty='777015', sleva=15, nazevpodni='Firma Patnáct';"));
}

void CounterScreen::start(const Options &o)
{
    stop();
    const ConnectionSettings db = testdb::settings();
    const QString ini = m_dir.filePath(QStringLiteral("prodej.ini"));
    QFile f(ini);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(QStringLiteral(
                "[LogON]\nIP=%1\nSQLport=%2\nUser=%3\nPassword=%4\nCisloPC=05\ntestovatVerzi=N\n"
                "nepovolitDoMinusu=%5\nDotykMonitor=%6\nPanel=%7\n%8")
                .arg(db.host)
                .arg(db.port)
                .arg(db.user, db.password,
                     o.stockControl ? QStringLiteral("A") : QStringLiteral("N"),
                     o.touchScreen ? QStringLiteral("A") : QStringLiteral("N"))
                .arg(o.panel)
                .arg(o.extraSettings)
                .toUtf8());
    f.close();
    station = std::make_unique<Station>();
    platit = std::make_unique<TFplatit>();
    nabcen = std::make_unique<TFnabcen>();
    if (o.tableService) {
        screen = std::make_unique<TFstuctenka>(ini, *station, *platit, *nabcen, o.switches);
        if (!o.firstPanel.isEmpty())
            answerMap(o.firstPanel);
    } else {
        screen = std::make_unique<TFuctenka>(ini, *station, *platit, *nabcen, o.switches);
    }
    screen->setPanelIni(o.panelIni.isEmpty() ? m_dir.filePath(QStringLiteral("panel.ini"))
                                             : o.panelIni);
    screen->setTemplateFolder(o.templateFolder.isEmpty() ? QStringLiteral(PRODEJ_TEMPLATE_DIR)
                                                         : o.templateFolder);
    screen->show();
    QTRY_VERIFY(screen->isReady() && screen->hotKeysOn());
    QVERIFY(QTest::qWaitForWindowActive(screen.get()));
    QTRY_VERIFY(codeField()->hasFocus());
}

void CounterScreen::stop()
{
    if (screen)
        screen->close(); // as the program ends: the work tables are dropped or kept
    screen.reset();
    nabcen.reset();
    platit.reset();
    station.reset();
    watcher->clear();
    watcher->answerWith(QString());
    m_mapAnswers.clear();
}

QLineEdit *CounterScreen::codeField() const
{
    return screen->findChild<QLineEdit *>(QStringLiteral("codeField"));
}

QLineEdit *CounterScreen::quantityField() const
{
    return screen->findChild<QLineEdit *>(QStringLiteral("quantityField"));
}

void CounterScreen::enter(const QString &typed, const QString &promptAnswer)
{
    QLineEdit *code = codeField();
    QTRY_VERIFY(code->hasFocus());
    typeText(code, typed);
    QTest::keyClick(code, Qt::Key_Return);
    if (promptAnswer.isNull())
        return;
    QTRY_VERIFY(quantityField()->isVisible() && quantityField()->hasFocus());
    QCOMPARE(quantityField()->text(), QStringLiteral("1"));
    quantityField()->selectAll();
    QTest::keyClick(quantityField(), Qt::Key_Backspace);
    typeText(quantityField(), promptAnswer);
    QTest::keyClick(quantityField(), Qt::Key_Return);
}

void CounterScreen::pay(const std::function<void(TFplatit &)> &act)
{
    QTRY_VERIFY(codeField()->hasFocus());
    // Polled, not queued: the screen may process events (the customer display)
    // before the dialog opens.
    inModal(
        platit->windowTitle(), [this, &act](QWidget &) { act(*platit); },
        [this] { QTest::keyClick(codeField(), Qt::Key_F5); });
    QTRY_VERIFY(!platit->isVisible());
}

void CounterScreen::inModal(const QString &title, const std::function<void(QWidget &)> &act,
                            const std::function<void()> &open)
{
    // Polls without blocking, so that `open` may itself wait before it opens.
    bool ran = false;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        QWidget *window = QApplication::activeModalWidget();
        if (ran || !window || window->windowTitle() != title || !window->isActiveWindow())
            return;
        ran = true;
        poll.stop();
        bool finished = false;
        const auto closeOnFailure = qScopeGuard([&finished, window] {
            if (!finished)
                window->close();
        });
        act(*window);
        finished = true;
    });
    poll.start(10);
    open();
    QTRY_VERIFY(ran);
}

QStringList CounterScreen::lines()
{
    return linesWhere(QString());
}

QStringList CounterScreen::orderLines(const QString &stul)
{
    return linesWhere(QStringLiteral(" where stul=") + sql::quote(stul));
}

QStringList CounterScreen::linesWhere(const QString &condition)
{
    QStringList out;
    QSqlQuery q =
        screen->session().query(QStringLiteral("select pocet, mnoz, jkpov from tmp05uct") +
                                condition + QStringLiteral(" order by id2"));
    while (q.next())
        out << QStringLiteral("%1/%2/%3")
                   .arg(q.value(0).toInt())
                   .arg(q.value(1).toDouble())
                   .arg(q.value(2).toString());
    return out;
}

int CounterScreen::count(const QString &fromWhere)
{
    return screen->session().scalar(QStringLiteral("select count(*) ") + fromWhere).toInt();
}
