// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/accessibility.h"

#include "widgets/controls.h"
#include "widgets/screen.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QLabel>
#include <typeinfo>

namespace numblaze
{

namespace
{
/// The role our interfaces give a control that readers are not offered.
constexpr QAccessible::Role Decorative = QAccessible::NoRole;

/// The property that marks a label as the name of the option group beside it.
constexpr char GroupHeading[] = "numblazeGroupHeading";

/// The label that names the option group lying directly on a container, if there is one.
QLabel* headingOn(const QWidget* container)
{
    if (!container)
        return nullptr;
    for (QLabel* label : container->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        if (label->property(GroupHeading).toBool())
            return label;
    return nullptr;
}

/// A label naming the option group beside it: for readers, the group that holds the buttons.
class GroupHeadingAccessible : public QAccessibleWidget
{
  public:
    explicit GroupHeadingAccessible(QLabel* heading)
        : QAccessibleWidget(heading, QAccessible::Grouping)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<const QLabel*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
    int childCount() const override { return int(members().size()); }
    QAccessibleInterface* child(int index) const override
    {
        const QList<QAbstractButton*> buttons = members();
        return index >= 0 && index < buttons.size()
                   ? QAccessible::queryAccessibleInterface(buttons[index])
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return int(members().indexOf(qobject_cast<QAbstractButton*>(child->object())));
    }

  private:
    QList<QAbstractButton*> members() const
    {
        const auto buttons =
            widget()->parentWidget()->findChildren<OptionButton*>(Qt::FindDirectChildrenOnly);
        return buttons.isEmpty() ? QList<QAbstractButton*>{} : buttons.first()->groupButtons();
    }
};

/// A screen's window: the menu and the race are windows, a screen shown over another a dialog.
/// Its children are the controls readers are offered, and only those.
class WindowAccessible : public QAccessibleWidget
{
  public:
    explicit WindowAccessible(QWidget* window) : QAccessibleWidget(window, QAccessible::Window) {}

    QAccessible::Role role() const override
    {
        return widget()->windowType() == Qt::Dialog ? QAccessible::Dialog : QAccessible::Window;
    }
    QString text(QAccessible::Text t) const override
    {
        const auto* window = static_cast<const ScreenWindow*>(widget());
        if (t == QAccessible::Description && window->describe)
            return window->describe();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (screenWindow()->closesOnEscape())
            names << closeActionName();
        return names;
    }
    void doAction(const QString& action) override
    {
        if (action == closeActionName() && screenWindow()->closesOnEscape())
            screenWindow()->close();
        else
            QAccessibleWidget::doAction(action);
    }
    int childCount() const override { return int(offered().size()); }
    QAccessibleInterface* child(int index) const override { return offered().value(index); }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return int(offered().indexOf(const_cast<QAccessibleInterface*>(child)));
    }

  private:
    ScreenWindow* screenWindow() const { return static_cast<ScreenWindow*>(widget()); }
    /// The child controls that are not decorative and that no other object (a table) claims.
    QList<QAccessibleInterface*> offered() const
    {
        QList<QAccessibleInterface*> children;
        for (QObject* object : widget()->children()) {
            auto* child = qobject_cast<QWidget*>(object);
            if (!child || child->isWindow())
                continue;
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(child);
            if (!iface || iface->role() == Decorative)
                continue;
            const QAccessibleInterface* parent = iface->parent();
            if (!parent || parent->object() == widget())
                children << iface;
        }
        return children;
    }
};

/// A picture: a graphic when it has a name (the balls, the stop sign), otherwise decorative.
/// A ball on a course says where it is in its description, read when a reader asks; it sends
/// no news of its own as it moves, and offers no value a reader could change.
class PictureAccessible : public QAccessibleWidget
{
  public:
    explicit PictureAccessible(Image* image) : QAccessibleWidget(image, QAccessible::Graphic) {}

    QAccessible::Role role() const override
    {
        return image()->accessibleName().isEmpty() ? Decorative : QAccessible::Graphic;
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Description && image()->describe)
            return image()->describe();
        return QAccessibleWidget::text(t);
    }

  private:
    const Image* image() const { return static_cast<const Image*>(object()); }
};

/// An option button, selected by the press and the toggle action alike, as by a click.
class OptionAccessible : public QAccessibleWidget
{
  public:
    explicit OptionAccessible(OptionButton* option)
        : QAccessibleWidget(option, QAccessible::RadioButton)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return option()->text();
        // Where the button is in its group, as "2 of 4".
        if (t == QAccessible::Description && widget()->accessibleDescription().isEmpty()) {
            const QList<QAbstractButton*> group = option()->groupButtons();
            //: Where an option button is in its group, as a screen reader says it after the
            //: button's name: "2 of 4". %1 is its place, %2 the number of buttons in the group.
            return QCoreApplication::translate("Accessibility", "%1 of %2")
                .arg(group.indexOf(option()) + 1)
                .arg(group.size());
        }
        return QAccessibleWidget::text(t);
    }
    /// A button on a container with a group heading is, for readers, inside the heading's group.
    QAccessibleInterface* parent() const override
    {
        if (QLabel* heading = headingOn(widget()->parentWidget()))
            return QAccessible::queryAccessibleInterface(heading);
        return QAccessibleWidget::parent();
    }
    /// Qt labels a button in a frame by the frame's caption; a reader would then say the caption
    /// again at every button the arrow keys reach. The group names itself once, as the focus
    /// enters it.
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override
    {
        auto related = QAccessibleWidget::relations(match);
        related.removeIf([](const auto& relation) { return relation.second & QAccessible::Label; });
        return related;
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = option()->isChecked();
        return state;
    }
    QStringList actionNames() const override
    {
        QStringList names;
        if (widget()->isEnabled())
            names << pressAction() << toggleAction();
        return names + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override
    {
        if (action != pressAction() && action != toggleAction())
            QAccessibleWidget::doAction(action);
        else if (widget()->isEnabled())
            option()->select();
    }

  private:
    OptionButton* option() const { return static_cast<OptionButton*>(object()); }
};

/// A window's bar of news for readers: it has no size and draws nothing. Its one notification
/// is shown afresh with each piece of news, and readers speak a notification when it shows.
class NewsBar : public QWidget
{
    Q_OBJECT

  public:
    explicit NewsBar(QWidget* window) : QWidget(window), news_(new QWidget(this))
    {
        //: The name, for screen readers, of the invisible bar on which each window shows what
        //: the game tells a reader ("Right. 3 plus 8."): one short word.
        setAccessibleName(QCoreApplication::translate("Accessibility", "News"));
        resize(0, 0);
        news_->resize(0, 0);
        news_->hide();
        show();
        window->installEventFilter(this);
    }

    /// News is told once: a window shown again does not show its last news again.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == parent() && event->type() == QEvent::Hide)
            news_->hide();
        return QWidget::eventFilter(watched, event);
    }

    void tell(const QString& news)
    {
        news_->hide();
        news_->setAccessibleName(news);
        news_->show();
    }

    /// The window's news bar, made the first time there is news.
    static NewsBar& of(QWidget* window)
    {
        for (QObject* child : window->children())
            if (auto* bar = dynamic_cast<NewsBar*>(child))
                return *bar;
        return *new NewsBar(window);
    }

  private:
    QWidget* news_;
};

QAccessibleInterface* gameAccessible(const QString& className, QObject* object)
{
    // Each control is recognised by its C++ type, once: when Qt asks with its most derived class
    // name.
    if (!object || !object->isWidgetType() || className != object->metaObject()->className())
        return nullptr;
    if (auto* window = dynamic_cast<ScreenWindow*>(object))
        return new WindowAccessible(window);
    if (auto* image = dynamic_cast<Image*>(object))
        return new PictureAccessible(image);
    if (auto* option = dynamic_cast<OptionButton*>(object))
        return new OptionAccessible(option);
    if (auto* label = qobject_cast<QLabel*>(object);
        label && label->property(GroupHeading).toBool())
        return new GroupHeadingAccessible(label);
    if (auto* box = dynamic_cast<PictureBox*>(object))
        return new QAccessibleWidget(box, QAccessible::Pane);
    if (auto* bar = dynamic_cast<NewsBar*>(object))
        return new QAccessibleWidget(bar, QAccessible::StatusBar);
    if (dynamic_cast<NewsBar*>(object->parent()))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
    // A plain shape only paints; a kind of shape that means something has its own interface.
    if (typeid(*object) == typeid(Shape))
        return new QAccessibleWidget(static_cast<QWidget*>(object), Decorative);
    return nullptr;
}
} // namespace

void installAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(&gameAccessible);
        return true;
    }();
    Q_UNUSED(installed)
}

void nameOptionGroup(QLabel* heading)
{
    heading->setProperty(GroupHeading, true);
    // A reader may have met the label already, as plain text: it meets the group from now on.
    QAccessibleInterface* known = QAccessible::queryAccessibleInterface(heading);
    if (known && known->role() != QAccessible::Grouping)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(known));
}

void announce(QWidget* window, const QString& news)
{
    if (!QAccessible::isActive() || news.isEmpty() || !window)
        return;
    NewsBar::of(window->window()).tell(news);
}

void prepareNews(QWidget* window)
{
    if (window)
        NewsBar::of(window->window());
}

QString closeActionName()
{
    return QStringLiteral("close");
}

void announceChange(QWidget* control, const QString& news)
{
    if (!QAccessible::isActive() || news.isEmpty() || !control->hasFocus())
        return;
    NewsBar::of(control->window()).tell(news);
}

} // namespace numblaze

#include "accessibility.moc"
