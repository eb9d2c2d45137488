// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/screenreader.h"

#include <QAccessible>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <memory>

namespace numblaze
{

namespace
{
const QString BusService = QStringLiteral("org.a11y.Bus");
const QString BusPath = QStringLiteral("/org/a11y/bus");
const QString Properties = QStringLiteral("org.freedesktop.DBus.Properties");
const QString Registry = QStringLiteral("org.a11y.atspi.Registry");
const QString Root = QStringLiteral("/org/a11y/atspi/accessible/root");
const QString Accessible = QStringLiteral("org.a11y.atspi.Accessible");

/// A call that starts no service: without an accessibility bus there is no screen reader.
QDBusMessage call(const QString& service, const QString& path, const QString& interface,
                  const QString& method, const QVariantList& arguments = {})
{
    QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
    message.setArguments(arguments);
    message.setAutoStartService(false);
    return message;
}

QDBusMessage getProperty(const QString& service, const QString& path, const QString& interface,
                         const QString& name)
{
    return call(service, path, Properties, QStringLiteral("Get"), {interface, name});
}

/// The value of a property from the reply to its Get.
QVariant propertyIn(const QDBusMessage& reply)
{
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    return reply.arguments().first().value<QDBusVariant>().variant();
}

/// Sends a call and runs then with its reply (an error reply when it failed).
void whenAnswered(const QDBusConnection& bus, const QDBusMessage& message, QObject* context,
                  std::function<void(const QDBusMessage&)> then)
{
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(message, 5000), context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context,
                     [then = std::move(then)](QDBusPendingCallWatcher* done) {
                         done->deleteLater();
                         then(done->reply());
                     });
}
} // namespace

ScreenReaderWatch::ScreenReaderWatch(QObject* parent) : QObject(parent)
{
    QAccessible::installActivationObserver(this);
}

ScreenReaderWatch::~ScreenReaderWatch()
{
    QAccessible::removeActivationObserver(this);
    if (!busName_.isEmpty())
        QDBusConnection::disconnectFromBus(busName_);
}

void ScreenReaderWatch::accessibilityActiveChanged(bool active)
{
    // Called from inside Qt's accessibility: the look starts once that is done.
    if (active)
        QMetaObject::invokeMethod(this, &ScreenReaderWatch::look, Qt::QueuedConnection);
}

const QStringList& ScreenReaderWatch::readerNames()
{
    static const QStringList names{QStringLiteral("orca")};
    return names;
}

bool ScreenReaderWatch::found() const
{
    return found_ && QAccessible::isActive();
}

void ScreenReaderWatch::look()
{
    const int look = ++look_;
    if (!QAccessible::isActive()) {
        answer(look, false);
        return;
    }
    QDBusConnection session = QDBusConnection::sessionBus();
    if (!session.isConnected()) {
        answer(look, false);
        return;
    }
    if (!watchingStatus_) {
        // GNOME's screen-reader switch changes the status while the game runs; a reader that
        // starts switches the bus on.
        watchingStatus_ = session.connect(BusService, BusPath, Properties,
                                          QStringLiteral("PropertiesChanged"), this, SLOT(look()));
    }
    whenAnswered(session,
                 getProperty(BusService, BusPath, QStringLiteral("org.a11y.Status"),
                             QStringLiteral("ScreenReaderEnabled")),
                 this, [this, look](const QDBusMessage& reply) {
                     if (look != look_)
                         return;
                     if (reply.type() != QDBusMessage::ReplyMessage)
                         answer(look, false); // no accessibility bus
                     else if (propertyIn(reply).toBool())
                         answer(look, true);
                     else
                         lookOnTheBus();
                 });
}

void ScreenReaderWatch::lookOnTheBus()
{
    const int look = look_;
    whenAnswered(QDBusConnection::sessionBus(),
                 call(BusService, BusPath, BusService, QStringLiteral("GetAddress")), this,
                 [this, look](const QDBusMessage& reply) {
                     if (look != look_)
                         return;
                     const QString address =
                         reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()
                             ? reply.arguments().first().toString()
                             : QString();
                     if (address.isEmpty()) {
                         answer(look, false);
                         return;
                     }
                     // One connection of our own, kept while the bus keeps its address.
                     const QString name = QStringLiteral("numblaze-readers ") + address;
                     if (name != busName_) {
                         if (!busName_.isEmpty())
                             QDBusConnection::disconnectFromBus(busName_);
                         busName_ = name;
                     }
                     const QDBusConnection bus = QDBusConnection::connectToBus(address, name);
                     if (!bus.isConnected()) {
                         answer(look, false);
                         return;
                     }
                     whenAnswered(bus,
                                  call(Registry, Root, Accessible, QStringLiteral("GetChildren")),
                                  this, [this, bus, look](const QDBusMessage& children) {
                                      if (look == look_)
                                          lookAtApplications(bus, children);
                                  });
                 });
}

void ScreenReaderWatch::lookAtApplications(const QDBusConnection& bus, const QDBusMessage& children)
{
    const int look = look_;
    // The desktop's children are the applications on the bus, each a (service, object) pair.
    QList<std::pair<QString, QString>> applications;
    if (children.type() == QDBusMessage::ReplyMessage && !children.arguments().isEmpty()) {
        const auto list = children.arguments().first().value<QDBusArgument>();
        list.beginArray();
        while (!list.atEnd()) {
            QString service;
            QDBusObjectPath path;
            list.beginStructure();
            list >> service >> path;
            list.endStructure();
            applications.append({service, path.path()});
        }
        list.endArray();
    }
    if (applications.isEmpty()) {
        answer(look, false);
        return;
    }
    auto unanswered = std::make_shared<int>(int(applications.size()));
    for (const auto& [service, path] : applications)
        whenAnswered(bus, getProperty(service, path, Accessible, QStringLiteral("Name")), this,
                     [this, look, unanswered](const QDBusMessage& reply) {
                         if (look != look_)
                             return;
                         if (readerNames().contains(propertyIn(reply).toString().toLower()))
                             answer(look, true);
                         else if (--*unanswered == 0)
                             answer(look, false);
                     });
}

void ScreenReaderWatch::answer(int look, bool found)
{
    if (look != look_)
        return;
    // Later replies of this look change nothing.
    ++look_;
    found_ = found;
    emit looked(found);
}

} // namespace numblaze
