#include "progressview.h"

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace {
void writeErr(const QString &text) {
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}
} // namespace

ProgressView::ProgressView(bool quiet) : quiet_(quiet), terminal_(isatty(STDERR_FILENO) == 1) {}

ProgressView::~ProgressView() {
    finishLine();
}

libraryimport::ImportProgress ProgressView::callbacks() {
    libraryimport::ImportProgress p;
    p.phase = [this](const QString &name, qint64 total) { phase(name, total); };
    p.advance = [this](qint64 done) { advance(done); };
    p.warning = [this](const QString &message) { warning(message); };
    return p;
}

void ProgressView::finishLine() {
    if (lineOpen_) {
        draw();
        writeErr(QStringLiteral("\n"));
        lineOpen_ = false;
    }
}

void ProgressView::phase(const QString &name, qint64 total) {
    finishLine();
    phase_ = name;
    total_ = total;
    done_ = 0;
    sincePhase_.start();
    sinceDraw_.start();
    if (quiet_) return;
    if (terminal_) {
        lineOpen_ = true;
        draw();
    } else {
        writeErr(QStringLiteral("kelvaro-import: %1%2\n")
                     .arg(name, total > 0 ? QStringLiteral(" (%1)").arg(total) : QString()));
    }
}

void ProgressView::advance(qint64 done) {
    done_ = done;
    if (quiet_) return;
    if (terminal_) {
        if (sinceDraw_.elapsed() >= 100) draw();
    } else if (sinceDraw_.elapsed() >= 5000) {
        sinceDraw_.restart();
        writeErr(QStringLiteral("kelvaro-import: %1 %2/%3\n").arg(phase_).arg(done_).arg(total_));
    }
}

void ProgressView::warning(const QString &message) {
    const bool reopen = lineOpen_;
    if (lineOpen_) {
        writeErr(QStringLiteral("\r\033[K"));
        lineOpen_ = false;
    }
    writeErr(QStringLiteral("kelvaro-import: warning: %1\n").arg(message));
    if (reopen) {
        lineOpen_ = true;
        draw();
    }
}

void ProgressView::draw() {
    if (!terminal_ || quiet_) return;
    sinceDraw_.restart();
    constexpr int width = 30;
    QString line = QStringLiteral("\r\033[K%1 ").arg(phase_, -24);
    if (total_ > 0) {
        const double part = std::min(1.0, double(done_) / double(total_));
        const int filled = int(part * width);
        line += QLatin1Char('[') + QString(filled, QLatin1Char('#')) +
                QString(width - filled, QLatin1Char('.')) + QLatin1Char(']');
        line += QStringLiteral(" %1% %2/%3").arg(int(part * 100), 3).arg(done_).arg(total_);
    } else {
        line += QStringLiteral("...");
    }
    line += QStringLiteral(" %1s").arg(sincePhase_.elapsed() / 1000);
    writeErr(line);
}
