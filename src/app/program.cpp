#include "app/program.h"

#include "app/Unit3.h"
#include "app/skins.h"
#include "platform/fonts.h"
#include "search/gaojiso.h"
#include "tools/fanjian.h"
#include "tools/ftts.h"

#include <QApplication>

void prepareApplication(QApplication &app) {
    // The resources live in the core library, which is static: register them explicitly.
    Q_INIT_RESOURCE(kelvaro);
    app.setStyle(QStringLiteral("Fusion"));
    installFontFallbacks();
    applySkinSheet(builtInSkinSheet());
    app.setApplicationName(QStringLiteral("Kelvaro"));
    app.setApplicationDisplayName(QString());
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Kelvaro"));
}

KelvaroWindows createWindows(const FormOptions &options) {
    KelvaroWindows w;
    w.Form2 = std::make_unique<TForm2>(options);
    w.Form3 = new TForm3(w.Form2.get());
    w.ffjzh = new Tffjzh(w.Form2.get(), w.Form2.get());
    w.tts = new Ttts(w.Form2.get(), w.Form2.get());
    w.gjso = new Tgjso(w.Form2.get(), w.Form2.get());
    w.Form2->Form3 = w.Form3;
    w.Form2->ffjzh = w.ffjzh;
    w.Form2->tts = w.tts;
    w.Form2->gjso = w.gjso;
    return w;
}

int runKelvaro(int argc, char **argv, bool onlineedition) {
    QApplication app(argc, argv);
    prepareApplication(app);
    QtDialogs dialogs;
    QtShell shell;
    FormOptions options;
    options.onlineedition = onlineedition;
    options.dialogs = &dialogs;
    options.shell = &shell;
    if (onlineedition) {
        // The server is configuration built into the program; these two let the online edition
        // be pointed at another server (a local one, for example) without a rebuild.
        const QString host = qEnvironmentVariable("KELVARO_SERVER_HOST");
        if (!host.isEmpty()) options.config.serverHost = host;
        bool ok = false;
        const int port = qEnvironmentVariableIntValue("KELVARO_SERVER_PORT", &ok);
        if (ok && port > 0 && port <= 65535) options.config.serverPort = port;
    }
    KelvaroWindows windows = createWindows(options);
    dialogs.setParent(windows.Form2.get());
    windows.Form2->show();
    return app.exec();
}
