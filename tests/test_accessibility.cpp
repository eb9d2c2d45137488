// What a screen reader reads on each screen: the names the accessibility layer gives the
// real controls must be what the player sees, and no control may be nameless.
#include "halloffame/form3.h"
#include "menu/form2.h"
#include "race/form1.h"

#include <QAccessible>
#include <QTemporaryDir>
#include <QTest>

using namespace numblaze;

Q_DECLARE_METATYPE(numblaze::Screen*)

namespace
{

QString nameOf(QWidget* widget)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
    return iface ? iface->text(QAccessible::Name) : QStringLiteral("<no interface>");
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

    QTemporaryDir folder_;

  private slots:
    void initTestCase()
    {
        Progress progress;
        for (int k = 0; k < 12; ++k)
            progress.records[k / 3][k % 3] = QString::number(10 + k);
        progress.math = 2;
        progress.opponent = 1;
        QString error;
        QVERIFY(writeProgressFile(folder_.filePath("Progress.txt"), progress, &error));
        Form2::get().progressFolder = folder_.path();
    }

    void cleanup()
    {
        Form1::get().discard();
        Form3::get().discard();
    }

    void equationReadsAsShown_data()
    {
        QTest::addColumn<QString>("sign");
        for (const char* sign : {"+", "-", "*", "/"})
            QTest::newRow(sign) << sign;
    }
    void equationReadsAsShown()
    {
        QFETCH(QString, sign);
        Form1& race = Form1::get();
        race.enemy_speed = 35;
        race.ui().Label3->setCaption(sign);
        race.Highest = 9;
        for (int tick = 0; tick < 4; ++tick)
            race.Timer1_Timer();
        Form1Controls& c = race.ui();
        for (Label* operand : {c.Label1, c.Label2}) {
            bool number = false;
            operand->caption().toInt(&number);
            QVERIFY2(number, qPrintable(operand->caption()));
            QCOMPARE(nameOf(operand), operand->caption());
        }
        QCOMPARE(nameOf(c.Label3), sign);
        QCOMPARE(nameOf(c.Label4), QStringLiteral("="));
    }

    void statusButtonReadsThePhase()
    {
        Form1& race = Form1::get();
        race.enemy_speed = 35;
        PushButton* status = race.ui().Command1;
        const QStringList countdown = {"3", "2", "1", Form1::Racing};
        for (const QString& phase : countdown) {
            QCOMPARE(nameOf(status), phase);
            race.Timer1_Timer();
        }
        for (int tick = 0; tick < 151; ++tick)
            race.Timer2_Timer();
        QCOMPARE(nameOf(status), Form1::Lost);
    }

    void recordLabelReadsTheRecord()
    {
        // The file selected Multiplication against Patty Purple: cell (2, 1), line 8.
        Form2Controls& c = Form2::get().ui();
        QCOMPARE(nameOf(c.Label3), QStringLiteral("Your highest number is 17."));
        c.Option2[2]->select();
        QCOMPARE(nameOf(c.Label3), QStringLiteral("Your highest number is 18."));
    }

    void hallOfFameReadsEveryCell()
    {
        QStringList names, captions;
        QTimer::singleShot(0, [&] {
            for (Label* cell : Form3::get().ui().Label6) {
                names << nameOf(cell);
                captions << cell->caption();
            }
            Form3::get().unload();
        });
        Form2::get().ui().Command4->click();
        QStringList expected;
        for (int k = 0; k < 12; ++k)
            expected << QString::number(10 + k);
        QCOMPARE(captions, expected);
        QCOMPARE(names, expected);
    }

    void controlIsNamed_data()
    {
        QTest::addColumn<Screen*>("screen");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        Screen* race = &Form1::get();
        Screen* menu = &Form2::get();
        QTest::newRow("stop") << race << "Command2"
                              << "Stop";
        QTest::newRow("answer box") << race << "Text1"
                                    << "Answer";
        QTest::newRow("track") << race << "Picture1"
                               << "Track";
        QTest::newRow("race") << menu << "Command1"
                              << "Race!";
        QTest::newRow("hall of fame") << menu << "Command4"
                                      << "Hall of Fame";
        QTest::newRow("exit") << menu << "Command2"
                              << "Exit";
        QTest::newRow("math") << menu << "Frame1"
                              << "Math";
        const char* kinds[] = {"Addition", "Subtraction", "Multiplication", "Division"};
        for (int i = 0; i < 4; ++i)
            QTest::addRow("%s", kinds[i])
                << menu << QStringLiteral("Option1(%1)").arg(i) << kinds[i];
        const char* opponents[] = {"Bobby Blue", "Patty Purple", "Ronald Red"};
        for (int i = 0; i < 3; ++i)
            QTest::addRow("%s", opponents[i])
                << menu << QStringLiteral("Option2(%1)").arg(i) << opponents[i];
    }
    void controlIsNamed()
    {
        QFETCH(Screen*, screen);
        QFETCH(QString, control);
        QFETCH(QString, name);
        auto* widget = screen->window().findChild<QWidget*>(control);
        QVERIFY(widget);
        QCOMPARE(nameOf(widget), name);
    }

    void noFocusableControlIsNameless()
    {
        for (Screen* screen :
             {static_cast<Screen*>(&Form1::get()), static_cast<Screen*>(&Form2::get()),
              static_cast<Screen*>(&Form3::get())}) {
            for (QWidget* w : screen->window().findChildren<QWidget*>()) {
                if (w->focusPolicy() != Qt::NoFocus)
                    QVERIFY2(!nameOf(w).isEmpty(), qPrintable(w->objectName()));
            }
        }
    }
};

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
