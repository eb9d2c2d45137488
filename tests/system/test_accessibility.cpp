// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What a screen reader reads on each screen, through Qt's accessibility bridge: the names the
// real controls get must be what the player sees, nothing a player can reach is nameless, and
// the race tells its equations, right and wrong, the two balls' progress and the result with
// the events that make a reader speak. Run by reader-session.sh, where a reader can listen.
#include "halloffame/form3.h"
#include "menu/form2.h"
#include "race/form1.h"
#include "tests/screens/racing.h"
#include "tests/support.h"

#include "widgets/screenreader.h"

#include <QAccessible>
#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

using namespace numblaze;

Q_DECLARE_METATYPE(numblaze::Screen*)

namespace
{

QAccessibleInterface* iface(QObject* object)
{
    return QAccessible::queryAccessibleInterface(object);
}

QString nameOf(QWidget* widget)
{
    QAccessibleInterface* i = iface(widget);
    return i ? i->text(QAccessible::Name) : QStringLiteral("<no interface>");
}

QString descriptionOf(QWidget* widget)
{
    return iface(widget)->text(QAccessible::Description);
}

/// One event a reader was sent, with what the control said at that moment.
struct Heard {
    QAccessible::Event type;
    QObject* control;
    QString text;
    bool operator==(const Heard&) const = default;
};

/// The events readers are sent while it lives, in order.
class Listener
{
  public:
    Listener()
    {
        heard().clear();
        QAccessible::installUpdateHandler(&record);
    }
    ~Listener() { QAccessible::installUpdateHandler(nullptr); }

    /// The events of these kinds, for this control.
    QList<Heard> of(QObject* control, std::initializer_list<QAccessible::Event> types) const
    {
        QList<Heard> found;
        for (const Heard& h : heard())
            if (h.control == control &&
                std::find(types.begin(), types.end(), h.type) != types.end())
                found << h;
        return found;
    }

    /// The latest news; empty before the first.
    QString lastNews() const
    {
        const QStringList told = news();
        return told.isEmpty() ? QString() : told.last();
    }

    /// The news shown to readers as notifications, in order.
    QStringList news() const
    {
        QStringList told;
        for (const Heard& h : heard())
            if (h.type == QAccessible::ObjectShow && !h.text.isEmpty())
                told << h.text;
        return told;
    }

  private:
    static QList<Heard>& heard()
    {
        static QList<Heard> events;
        return events;
    }
    static void record(QAccessibleEvent* event)
    {
        QAccessibleInterface* i = event->accessibleInterface();
        QString text;
        if (event->type() == QAccessible::NameChanged && i)
            text = i->text(QAccessible::Name);
        else if (event->type() == QAccessible::DescriptionChanged && i)
            text = i->text(QAccessible::Description);
        else if (event->type() == QAccessible::ValueChanged)
            text = static_cast<QAccessibleValueChangeEvent*>(event)->value().toString();
        else if (event->type() == QAccessible::ObjectShow && i &&
                 i->role() == QAccessible::Notification)
            text = i->text(QAccessible::Name);
        heard() << Heard{event->type(), event->object(), text};
    }
};

/// Launches a race as the menu does.
Form1Controls& startRace(const QString& sign, int speed, const Loose& highest = 9)
{
    testing::launch(sign, highest, speed);
    return testing::race();
}

void countDown()
{
    for (int tick = 0; tick < 4; ++tick)
        Form1::get().Timer1_Timer();
}

void answer(Form1Controls& c, qint64 value)
{
    QTest::keyClicks(c.Text1, QString::number(value));
    QTest::keyClick(c.Text1, Qt::Key_Return);
}

/// Opens the Hall of Fame from the menu, runs look while it is open, then closes it.
void whileHallOfFameIsOpen(const std::function<void()>& look)
{
    QTimer::singleShot(0, [&look] {
        look();
        Form3::get().unload();
    });
    QTest::mouseClick(Form2::get().ui().Command4, Qt::LeftButton);
}

/// Switches the accessibility bus's screen reader status, as GNOME's screen-reader switch does.
bool setScreenReaderEnabled(bool on)
{
    QDBusMessage set = QDBusMessage::createMethodCall(
        QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Set"));
    set << QStringLiteral("org.a11y.Status") << QStringLiteral("ScreenReaderEnabled")
        << QVariant::fromValue(QDBusVariant(on));
    return QDBusConnection::sessionBus().call(set).type() == QDBusMessage::ReplyMessage;
}

/// Every object of the tree under root, root included.
void walk(QAccessibleInterface* root, const std::function<void(QAccessibleInterface*)>& visit)
{
    visit(root);
    for (int i = 0; i < root->childCount(); ++i)
        if (QAccessibleInterface* child = root->child(i))
            walk(child, visit);
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

    QTemporaryDir folder_;

  private slots:
    void initTestCase()
    {
        QTRY_VERIFY2_WITH_TIMEOUT(QAccessible::isActive(),
                                  "no reader can listen: run me with "
                                  "tests/reader-session.sh",
                                  30000);
        Progress progress;
        for (int k = 0; k < 12; ++k)
            progress.records[k / 3][k % 3] = QString::number(10 + k);
        progress.math = 2;
        progress.opponent = 1;
        QString error;
        QVERIFY(testing::writeProgressFile(folder_.filePath("Progress.txt"), progress, &error));
        testing::playWithRecordsIn(folder_.path());
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

    // The status button is named for what it does in each phase: its caption while racing,
    // which the race never reads out as it changes (the race says its own news).
    void statusButtonReadsThePhase()
    {
        Form1& race = Form1::get();
        race.enemy_speed = 35;
        PushButton* status = race.ui().Command1;
        for (int tick = 0; tick < 3; ++tick) {
            QCOMPARE(nameOf(status), QStringLiteral("Get ready"));
            race.Timer1_Timer();
        }
        QCOMPARE(nameOf(status), QString(Form1::Racing));
        for (int tick = 0; tick < 151; ++tick)
            race.Timer2_Timer();
        QCOMPARE(status->caption(), QString(Form1::Lost));
        QCOMPARE(nameOf(status), QStringLiteral("Back to the menu"));
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
        whileHallOfFameIsOpen([&] {
            for (Label* cell : Form3::get().ui().Label6) {
                names << nameOf(cell);
                captions << cell->caption();
            }
        });
        QStringList expected;
        for (int k = 0; k < 12; ++k)
            expected << QString::number(10 + k);
        QCOMPARE(captions, expected);
        // Each cell says where it stands and the record it shows.
        QCOMPARE(names[0], QStringLiteral("Addition, Bobby Blue: 10"));
        QCOMPARE(names[5], QStringLiteral("Subtraction, Ronald Red: 15"));
        QCOMPARE(names[7], QStringLiteral("Multiplication, Patty Purple: 17"));
        QCOMPARE(names[11], QStringLiteral("Division, Ronald Red: 21"));
    }

    void windowsSayWhatTheyAre()
    {
        QAccessibleInterface* menu = iface(Form2::get().ui().window);
        QCOMPARE(menu->role(), QAccessible::Window);
        QCOMPARE(menu->text(QAccessible::Name), QStringLiteral("Numblaze"));
        Form1Controls& race = startRace("+", 15);
        QCOMPARE(iface(race.window)->role(), QAccessible::Window);
        QCOMPARE(iface(race.window)->text(QAccessible::Name), QStringLiteral("Numblaze race"));
        QCOMPARE(race.window->windowTitle(), QStringLiteral("Form1")); // the caption stays
    }

    // The focused answer box describes the equation in words as soon as it appears.
    void equationIsToldInWords_data()
    {
        QTest::addColumn<QString>("sign");
        QTest::addColumn<QString>("word");
        QTest::newRow("+") << "+"
                           << "plus";
        QTest::newRow("-") << "-"
                           << "minus";
        QTest::newRow("*") << "*"
                           << "times";
        QTest::newRow("/") << "/"
                           << "divided by";
    }
    // The first equation is news of the window, said once: the answer box that takes the focus
    // says nothing of it, so a reader does not say it twice.
    void equationIsToldInWords()
    {
        QFETCH(QString, sign);
        QFETCH(QString, word);
        Listener listener;
        Form1Controls& c = startRace(sign, 35);
        QVERIFY(QTest::qWaitForWindowActive(c.window));
        countDown();
        const QString said =
            QStringLiteral("%1 %2 %3").arg(c.Label1->caption(), word, c.Label2->caption());
        QCOMPARE(c.window->focusWidget(), c.Text1);
        QCOMPARE(descriptionOf(c.Text1), QString());
        QTRY_VERIFY_WITH_TIMEOUT(listener.news().contains("Go! " + said + "."), 10000);
        QCOMPARE(listener.news().filter(said).size(), 1);
        QCOMPARE(c.Text1->accessibleName(), QStringLiteral("Answer"));
    }

    // Each answer is told right or wrong with the next equation, and the standing by name
    // when it changed, as news of the window, in order and one at a time.
    void answersAreToldRightOrWrong()
    {
        Form1Controls& c = startRace("+", 15);
        QVERIFY(QTest::qWaitForWindowActive(c.window));
        countDown();
        c.Timer2->setEnabled(false); // the opponent waits: the standing is the player's alone
        Listener listener;
        // Everything is said once the window is active and a reader has turned to it; the
        // player answers once the last equation has been said, as a listener does.
        QStringList expected{"3", "2", "1", "Go! " + testing::equationSaid() + "."};
        const auto heard = [&] {
            QTRY_COMPARE_WITH_TIMEOUT(listener.news(), expected, 20000);
            QTRY_VERIFY_WITH_TIMEOUT(!c.window->findChild<Voice*>()->isSaying(), 10000);
        };
        heard();
        const QString first = testing::equationSaid();
        answer(c, testing::answerOnScreen().toLongLong() + 1);
        expected << "Wrong. " + first + ".";
        heard();
        Form1::get().Timer3_Timer();
        QTest::keyClicks(c.Text1, "seven");
        QTest::keyClick(c.Text1, Qt::Key_Return);
        expected << "Wrong. " + first + "."; // the lead has not changed
        heard();
        Form1::get().Timer3_Timer();
        answer(c, testing::answerOnScreen().toLongLong());
        expected << QStringLiteral("Right. You are ahead. %1.").arg(testing::equationSaid());
        heard();
        answer(c, testing::answerOnScreen().toLongLong());
        expected << QStringLiteral("Right. %1.").arg(testing::equationSaid());
        QTRY_COMPARE_WITH_TIMEOUT(listener.news(), expected, 20000);
        QCOMPARE(c.window->focusWidget(), c.Text1);
        // The news shows on the window's news bar, which takes no room on the screen.
        QAccessibleInterface* bar = nullptr;
        walk(iface(c.window), [&bar](QAccessibleInterface* i) {
            if (i->role() == QAccessible::StatusBar)
                bar = i;
        });
        QVERIFY(bar);
        QCOMPARE(bar->child(0)->role(), QAccessible::Notification);
        QCOMPARE(bar->child(0)->text(QAccessible::Name), expected.last());
        QVERIFY(bar->rect().isEmpty() && bar->child(0)->rect().isEmpty());
    }

    // The balls are graphics named for their racers that say where they are when a reader
    // asks; as they move they send nothing (a reader would read out bare percentages), and
    // they offer no value or action a reader could change.
    void ballsSayWhereTheyAreWhenAsked_data()
    {
        QTest::addColumn<int>("speed");
        QTest::addColumn<QString>("opponent");
        QTest::newRow("15") << 15 << "Bobby Blue";
        QTest::newRow("25") << 25 << "Patty Purple";
        QTest::newRow("35") << 35 << "Ronald Red";
    }
    void ballsSayWhereTheyAreWhenAsked()
    {
        QFETCH(int, speed);
        QFETCH(QString, opponent);
        Form1Controls& c = startRace("+", speed);
        QCOMPARE(nameOf(c.Image2), QStringLiteral("Your ball"));
        QCOMPARE(nameOf(c.Image3), opponent);
        for (Image* ball : {c.Image2, c.Image3}) {
            QAccessibleInterface* i = iface(ball);
            QCOMPARE(i->role(), QAccessible::Graphic);
            QVERIFY(!i->valueInterface());
            QVERIFY(!i->actionInterface() || i->actionInterface()->actionNames().isEmpty());
            QCOMPARE(i->text(QAccessible::Description), QStringLiteral("0 of 11 steps"));
            QCOMPARE(i->parent()->object(), c.Picture1);
        }
        countDown();
        Listener listener;
        for (int right = 0; right < 3; ++right)
            answer(c, testing::answerOnScreen().toLongLong());
        QCOMPARE(iface(c.Image2)->text(QAccessible::Description), QStringLiteral("3 of 11 steps"));
        while (c.Command1->caption() != Form1::Lost)
            Form1::get().Timer2_Timer();
        QCOMPARE(iface(c.Image3)->text(QAccessible::Description), QStringLiteral("11 of 11 steps"));
        QVERIFY(listener.of(c.Image2, {QAccessible::ValueChanged}).isEmpty());
        QVERIFY(listener.of(c.Image3, {QAccessible::ValueChanged}).isEmpty());
        QVERIFY(listener.news().filter(QStringLiteral("percent")).isEmpty());
    }

    // The result is told wherever the focus is, with the record after a win; the countdown
    // comes before it, one number at a time.
    void resultIsToldWhereverTheFocusIs_data()
    {
        QTest::addColumn<bool>("win");
        QTest::addColumn<QString>("focus");
        QTest::newRow("won, answer box") << true << "Text1";
        QTest::newRow("lost, answer box") << false << "Text1";
        QTest::newRow("lost, Stop") << false << "Command2";
    }
    void resultIsToldWhereverTheFocusIs()
    {
        QFETCH(bool, win);
        QFETCH(QString, focus);
        Listener listener;
        Form1Controls& c = startRace("*", 35, 5);
        QVERIFY(QTest::qWaitForWindowActive(c.window));
        QCOMPARE(QApplication::focusWidget(), c.Command1);
        countDown();
        c.window->findChild<QWidget*>(focus)->setFocus();
        QTRY_VERIFY_WITH_TIMEOUT(listener.lastNews().startsWith("Go! "), 10000);
        if (win) {
            for (int right = 0; right < 11; ++right)
                answer(c, testing::answerOnScreen().toLongLong());
        } else {
            while (c.Command1->caption() != Form1::Lost)
                Form1::get().Timer2_Timer();
        }
        const QString result =
            win ? "You won! Your highest number for Multiplication against Ronald Red is now 6."
                : "You lost! Ronald Red got there first.";
        QTRY_COMPARE_WITH_TIMEOUT(listener.lastNews(), result, 20000);
        const QStringList news = listener.news();
        QCOMPARE(news.mid(0, 3), QStringList({"3", "2", "1"}));
        QVERIFY(news[3].startsWith("Go! "));
        QCOMPARE(news.filter(result).size(), 1);
        // The status button's captions are not read out: the race says them its own way.
        QVERIFY(!news.contains(Form1::Racing));
        QVERIFY(!news.contains(Form1::Won) && !news.contains(Form1::Lost));
    }

    // The Hall of Fame is a dialog holding a table: rows of math kinds, columns of opponents
    // (their balls, named), and cells that say their row, column and record.
    void hallOfFameIsATableInADialog()
    {
        // The table in words lists each row's records as the player's language lists things.
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        const auto restore = qScopeGuard([&before] { QLocale::setDefault(before); });
        QList<QAccessibleInterface*> windowChildren;
        QAccessibleInterface* table = nullptr;
        whileHallOfFameIsOpen([&] {
            QAccessibleInterface* dialog = iface(Form3::get().ui().window);
            for (int i = 0; i < dialog->childCount(); ++i)
                windowChildren << dialog->child(i);
            table = iface(Form3::get().ui().Shape1);
            QCOMPARE(dialog->role(), QAccessible::Dialog);
            QCOMPARE(dialog->text(QAccessible::Name), QStringLiteral("Hall of Fame"));
            // The dialog reads out the whole table as it appears.
            const QString told = dialog->text(QAccessible::Description);
            QVERIFY2(told.startsWith("Addition: Bobby Blue 10, Patty Purple 11 and Ronald Red 12. "
                                     "Subtraction: Bobby Blue 13, "),
                     qPrintable(told));
            QVERIFY2(told.endsWith("Division: Bobby Blue 19, Patty Purple 20 and Ronald Red 21."),
                     qPrintable(told));

            QAccessibleTableInterface* grid = table->tableInterface();
            QVERIFY(grid);
            QCOMPARE(table->role(), QAccessible::Table);
            QCOMPARE(grid->rowCount(), 4);
            QCOMPARE(grid->columnCount(), 3);
            QCOMPARE(table->childCount(), 12);
            QCOMPARE(grid->columnDescription(0), QStringLiteral("Bobby Blue"));
            QCOMPARE(grid->rowDescription(3), QStringLiteral("Division"));
            QAccessibleInterface* cell = grid->cellAt(1, 2);
            QCOMPARE(cell->text(QAccessible::Name), QStringLiteral("Subtraction, Ronald Red: 15"));
            QCOMPARE(cell->role(), QAccessible::Cell);
            QCOMPARE(cell->parent(), table);
            QCOMPARE(table->indexOfChild(cell), 5);
            QAccessibleTableCellInterface* place = cell->tableCellInterface();
            QVERIFY(place);
            QCOMPARE(place->rowIndex(), 1);
            QCOMPARE(place->columnIndex(), 2);
            QCOMPARE(place->rowHeaderCells().value(0)->text(QAccessible::Name),
                     QStringLiteral("Subtraction:"));
            QAccessibleInterface* ball = place->columnHeaderCells().value(0);
            QCOMPARE(ball->role(), QAccessible::Graphic);
            QCOMPARE(ball->text(QAccessible::Name), QStringLiteral("Ronald Red"));
        });
        QVERIFY(table);
        QVERIFY(windowChildren.contains(table));
        QCOMPARE(windowChildren.size(), 1 + 4 + 3 + 1); // title, row titles, balls, table
    }

    // Pictures that mean something are named; decorative ones are not offered at all; nothing
    // a reader can reach is an unnamed filler.
    void onlyMeaningfulPicturesAreOffered_data()
    {
        QTest::addColumn<Screen*>("screen");
        QTest::addColumn<QStringList>("decorative");
        QTest::addColumn<QStringList>("graphics");
        QTest::newRow("menu") << static_cast<Screen*>(&Form2::get())
                              << QStringList{"Image1", "Image2"}
                              << QStringList{"Image3(0)", "Image3(1)", "Image3(2)"};
        QTest::newRow("race") << static_cast<Screen*>(&Form1::get())
                              << QStringList{"Image4(0)", "Image4(1)", "Image1(0)", "Image1(1)",
                                             "Image1(2)", "Shape1",    "Shape2",    "Shape3"}
                              << QStringList{};
        QTest::newRow("Hall of Fame") << static_cast<Screen*>(&Form3::get()) << QStringList{}
                                      << QStringList{"Image1", "Image2", "Image3"};
    }
    void onlyMeaningfulPicturesAreOffered()
    {
        QFETCH(Screen*, screen);
        QFETCH(QStringList, decorative);
        QFETCH(QStringList, graphics);
        QStringList offered;
        walk(iface(&screen->window()), [&](QAccessibleInterface* i) {
            offered << i->object()->objectName();
            // A news bar's notification waiting for its first news is hidden and unnamed.
            if (i->role() == QAccessible::Notification && i->state().invisible)
                return;
            const QString name = i->text(QAccessible::Name);
            if (i->role() != QAccessible::StaticText)
                QVERIFY2(!name.isEmpty(), qPrintable(i->object()->objectName()));
            QVERIFY2(i->role() != QAccessible::Client, qPrintable(name));
            if (graphics.contains(i->object()->objectName()))
                QCOMPARE(i->role(), QAccessible::Graphic);
        });
        for (const QString& name : decorative)
            QVERIFY2(!offered.contains(name), qPrintable(name));
        for (const QString& name : graphics)
            QVERIFY2(offered.contains(name), qPrintable(name));
    }

    // All seven option buttons are selected by a reader's press or toggle action.
    void optionButtonsOfferPressAndToggle()
    {
        Form2Controls& c = Form2::get().ui();
        std::vector<OptionButton*> options(c.Option1.begin(), c.Option1.end());
        options.insert(options.end(), c.Option2.begin(), c.Option2.end());
        for (OptionButton* option : options) {
            QAccessibleInterface* i = iface(option);
            QCOMPARE(i->role(), QAccessible::RadioButton);
            const QStringList actions = i->actionInterface()->actionNames();
            QVERIFY2(actions.contains(QAccessibleActionInterface::pressAction()) &&
                         actions.contains(QAccessibleActionInterface::toggleAction()),
                     qPrintable(option->objectName()));
            QVERIFY(i->state().checkable);
            QCOMPARE(bool(i->state().checked), option->isChecked());
        }
    }

    // Each option group is named once, by itself: the math kinds by their frame, the opponents
    // by the heading beside them. A button is found inside its group, says where it is in it,
    // and is not labelled by the group's name again (a reader would say it at every arrow key).
    // The tree reads the same down from the window and up from each button.
    void optionGroupsAreNamedOnce()
    {
        Form2Controls& c = Form2::get().ui();
        struct Group {
            QWidget* named;
            QString name;
            std::vector<OptionButton*> members;
        };
        const Group groups[] = {
            {c.Frame1, QStringLiteral("Math"), {c.Option1.begin(), c.Option1.end()}},
            {c.Label1, QStringLiteral("Race against:"), {c.Option2.begin(), c.Option2.end()}}};
        QAccessibleInterface* window = iface(c.window);
        for (const Group& group : groups) {
            QAccessibleInterface* g = iface(group.named);
            QCOMPARE(g->role(), QAccessible::Grouping);
            QCOMPARE(g->text(QAccessible::Name), group.name);
            QCOMPARE(g->parent(), window);
            QVERIFY(window->indexOfChild(g) >= 0);
            QCOMPARE(g->childCount(), int(group.members.size()));
            for (int i = 0; i < int(group.members.size()); ++i) {
                QAccessibleInterface* option = iface(group.members[i]);
                QCOMPARE(g->child(i), option);
                QCOMPARE(g->indexOfChild(option), i);
                QCOMPARE(option->parent(), g);
                QCOMPARE(window->indexOfChild(option), -1);
                QCOMPARE(option->text(QAccessible::Description),
                         QStringLiteral("%1 of %2").arg(i + 1).arg(group.members.size()));
                QVERIFY2(option->relations(QAccessible::Label).isEmpty(),
                         qPrintable(group.members[i]->objectName()));
            }
        }
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

    // A program that reads the screen (this test, a switch program) switches accessibility on,
    // and races keep the designed clock; a screen reader gives listening time. GNOME's
    // screen-reader switch tells it on the accessibility bus, and the game notices it by
    // itself. (A screen reader that joins the bus, Orca, is found in the races by ear.)
    void onlyAScreenReaderGivesListeningTime()
    {
        ScreenReaderWatch watch;
        QSignalSpy looked(&watch, &ScreenReaderWatch::looked);
        watch.look();
        QTRY_COMPARE_WITH_TIMEOUT(looked.size(), 1, 10000);
        QVERIFY(!watch.found());
        Form2& menu = Form2::get();
        menu.ListeningTime.reset();
        menu.useScreenReaderWatch(&watch);
        const auto forget = qScopeGuard([&menu] {
            setScreenReaderEnabled(false);
            menu.useScreenReaderWatch(nullptr);
        });
        menu.ui().Command1->click();
        QVERIFY(!Form1::get().listeningTime);
        Form1::get().discard();

        QVERIFY(setScreenReaderEnabled(true));
        QTRY_VERIFY_WITH_TIMEOUT(watch.found(), 10000);
        menu.ui().Command1->click();
        QVERIFY(Form1::get().listeningTime);
        Form1::get().discard();
        // The player's own choice goes before what the desktop says.
        menu.ListeningTime = false;
        QVERIFY(!menu.listeningTimeIsOn());
        menu.ListeningTime.reset();

        QVERIFY(setScreenReaderEnabled(false));
        QTRY_VERIFY_WITH_TIMEOUT(!watch.found(), 10000);
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
