#include "support/jet_samples.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

namespace {

QString cacheDir() {
    return QStringLiteral(KELVARO_BINARY_DIR "/test-cache/jet");
}

// Runs a program to its end; the error text when it fails.
QString run(const QString &program, const QStringList &arguments, const QString &workDir,
            QByteArray *out = nullptr) {
    QProcess p;
    p.setWorkingDirectory(workDir);
    p.start(program, arguments);
    if (!p.waitForStarted(10000)) return program + QStringLiteral(" could not be started");
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
        return program + QStringLiteral(" did not finish");
    }
    const QByteArray output = p.readAllStandardOutput();
    if (out) *out = output;
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QStringLiteral("%1 %2 failed: %3")
            .arg(program, arguments.join(QLatin1Char(' ')),
                 QString::fromLocal8Bit(p.readAllStandardError()).trimmed());
    return QString();
}

// Fetches `package`, takes `member` out of it (gunzipped when it ends in ".gz") and keeps it
// in the cache as `name`. Parallel test processes may do this at once: each works in its
// own folder and the final rename is atomic.
JetSample fetch(const QString &package, const QString &member, const QString &name) {
    const QString target = QDir(cacheDir()).filePath(name);
    if (QFile::exists(target)) return {target, {}};
    QDir().mkpath(cacheDir());
    QTemporaryDir work(cacheDir() + QStringLiteral("/fetch-XXXXXX"));
    if (!work.isValid()) return {{}, QStringLiteral("no temporary folder in ") + cacheDir()};
    QString error =
        run(QStringLiteral("apt-get"), {QStringLiteral("download"), package}, work.path());
    if (!error.isEmpty()) return {{}, error};
    const QStringList debs = QDir(work.path()).entryList({QStringLiteral("*.deb")});
    if (debs.isEmpty()) return {{}, QStringLiteral("apt-get download left no .deb for ") + package};
    error = run(QStringLiteral("dpkg-deb"),
                {QStringLiteral("-x"), debs.first(), QStringLiteral("x")}, work.path());
    if (!error.isEmpty()) return {{}, error};
    const QString extracted = QDir(work.path()).filePath(QStringLiteral("x/") + member);
    const QString staged = QDir(work.path()).filePath(name);
    if (member.endsWith(QLatin1String(".gz"))) {
        QByteArray data;
        error = run(QStringLiteral("gzip"), {QStringLiteral("-dc"), extracted}, work.path(), &data);
        if (!error.isEmpty()) return {{}, error};
        QFile out(staged);
        if (!out.open(QIODevice::WriteOnly) || out.write(data) != data.size())
            return {{}, QStringLiteral("cannot write ") + staged};
    } else if (!QFile::copy(extracted, staged)) {
        return {{}, QStringLiteral("%1 has no %2").arg(package, member)};
    }
    if (std::rename(QFile::encodeName(staged).constData(), QFile::encodeName(target).constData()) !=
        0)
        return {{}, QStringLiteral("cannot move %1 to %2").arg(staged, target)};
    return {target, {}};
}

} // namespace

JetSample jet3Sample() {
    return fetch(QStringLiteral("fp-units-db-3.2.2"),
                 QStringLiteral("usr/share/doc/fp-units-db/3.2.2/examples/odbc/testodbc.mdb.gz"),
                 QStringLiteral("testodbc.mdb"));
}

JetSample jet4Sample() {
    return fetch(QStringLiteral("mrtg-contrib"),
                 QStringLiteral("usr/share/doc/mrtg-contrib/examples/contrib/monitor/Monitor.mdb"),
                 QStringLiteral("Monitor.mdb"));
}
