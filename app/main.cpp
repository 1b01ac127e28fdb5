#include "app/CommandLine.h"
#include "app/QtDialogs.h"
#include "app/MainWindow.h"
#include "platform/PortNames.h"

#include <QApplication>
#include <QIcon>
#include <cstdio>

namespace {

constexpr int UsageErrorExit = 2;

QStringList Arguments(int argc, char** argv)
{
    QStringList list;
    for (int i = 1; i < argc; ++i) list << QString::fromLocal8Bit(argv[i]);
    return list;
}

} // namespace

int main(int argc, char** argv)
{
    // --help and --version need no display, so they are answered before the toolkit starts.
    const QString program = QString::fromLocal8Bit(argc > 0 ? argv[0] : "duoclave");
    app::CommandLine early = app::ParseCommandLine(Arguments(argc, argv));
    if (early.action == app::CommandLine::Action::Help) {
        std::fputs(app::UsageText(program).toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (early.action == app::CommandLine::Action::Manual) {
        std::fputs(app::ManualText().toUtf8().constData(), stdout);
        return 0;
    }
    if (early.action == app::CommandLine::Action::Version) {
        std::fputs(app::VersionText().toLocal8Bit().constData(), stdout);
        return 0;
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Duoclave"));
    QApplication::setApplicationVersion(QStringLiteral(DUOCLAVE_VERSION));
    // Wayland shells find the window's icon and menu entry through it.
    QGuiApplication::setDesktopFileName(QStringLiteral("duoclave"));
    // The installed icon; X11 task bars take it from the window rather than the menu entry.
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("duoclave")));

    // The toolkit has taken its own options out of argv by now.
    const app::CommandLine options = app::ParseCommandLine(Arguments(argc, argv));
    if (options.action == app::CommandLine::Action::Error) {
        std::fprintf(stderr, "%s\n%s", qPrintable(options.error), qPrintable(app::UsageText(program)));
        return UsageErrorExit;
    }
    if (!options.com1.isEmpty()) platform::SetComPortPath(1, options.com1.toStdString());
    if (!options.com2.isEmpty()) platform::SetComPortPath(2, options.com2.toStdString());

    app::QtDialogs dialogs;
    TForm1 form(dialogs);
    dialogs.SetParent(&form);
    form.show();
    return application.exec();
}
