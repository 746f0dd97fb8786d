// Prints the accessibility tree of the running program named on the command
// line, one node a line: depth, role, name and where it is on the screen
// ("x y width height", empty for a node without a place), tab-separated. The
// end-to-end tests read what a screen reader would, without looking into the
// program, and point at what they find there.
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusReply>
#include <QDBusVariant>
#include <QList>

#include <cstdio>

namespace {

struct Reference {
    QString service;
    QDBusObjectPath path;
};

QDBusArgument& operator<<(QDBusArgument& argument, const Reference& reference)
{
    argument.beginStructure();
    argument << reference.service << reference.path;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, Reference& reference)
{
    argument.beginStructure();
    argument >> reference.service >> reference.path;
    argument.endStructure();
    return argument;
}

} // namespace

Q_DECLARE_METATYPE(Reference)

namespace {

const QString Accessible = QStringLiteral("org.a11y.atspi.Accessible");

QString nameOf(const QDBusConnection& bus, const Reference& node)
{
    QDBusInterface properties(node.service, node.path.path(), "org.freedesktop.DBus.Properties", bus);
    const QDBusReply<QDBusVariant> reply = properties.call("Get", Accessible, "Name");
    return reply.isValid() ? reply.value().variant().toString() : QString();
}

QList<Reference> childrenOf(const QDBusConnection& bus, const Reference& node)
{
    QDBusInterface accessible(node.service, node.path.path(), Accessible, bus);
    const QDBusReply<QList<Reference>> reply = accessible.call("GetChildren");
    return reply.isValid() ? reply.value() : QList<Reference>{};
}

QString roleOf(const QDBusConnection& bus, const Reference& node)
{
    QDBusInterface accessible(node.service, node.path.path(), Accessible, bus);
    const QDBusReply<QString> reply = accessible.call("GetRoleName");
    return reply.isValid() ? reply.value() : QString();
}

QString extentsOf(const QDBusConnection& bus, const Reference& node)
{
    QDBusInterface component(node.service, node.path.path(), "org.a11y.atspi.Component", bus);
    const QDBusMessage reply = component.call("GetExtents", quint32(0)); // screen coordinates
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    const auto extents = reply.arguments().first().value<QDBusArgument>();
    int x = 0, y = 0, width = 0, height = 0;
    extents.beginStructure();
    extents >> x >> y >> width >> height;
    extents.endStructure();
    return QStringLiteral("%1 %2 %3 %4").arg(x).arg(y).arg(width).arg(height);
}

void print(const QDBusConnection& bus, const Reference& node, int depth)
{
    if (depth > 40)
        return;
    std::printf("%d\t%s\t%s\t%s\n", depth, qPrintable(roleOf(bus, node)),
                qPrintable(nameOf(bus, node).replace('\n', QLatin1String("\\n"))),
                qPrintable(extentsOf(bus, node)));
    for (const Reference& child : childrenOf(bus, node))
        print(bus, child, depth + 1);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    qDBusRegisterMetaType<Reference>();
    qDBusRegisterMetaType<QList<Reference>>();
    const QString program = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("lumarine");

    QDBusInterface launcher("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", QDBusConnection::sessionBus());
    const QDBusReply<QString> address = launcher.call("GetAddress");
    if (!address.isValid()) {
        std::fprintf(stderr, "no accessibility bus: %s\n", qPrintable(address.error().message()));
        return 2;
    }
    const QDBusConnection bus = QDBusConnection::connectToBus(address.value(), "a11y");
    const Reference desktop{"org.a11y.atspi.Registry", QDBusObjectPath("/org/a11y/atspi/accessible/root")};
    for (const Reference& app : childrenOf(bus, desktop)) {
        if (nameOf(bus, app) == program) {
            print(bus, app, 0);
            return 0;
        }
    }
    std::fprintf(stderr, "%s is not on the accessibility bus\n", qPrintable(program));
    return 1;
}
