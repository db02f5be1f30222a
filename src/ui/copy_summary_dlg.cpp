// SPDX-License-Identifier: MIT
#include "ui/copy_summary_dlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {

QString FromBytes(const std::string& bytes) {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

} // namespace

QString CopySummaryText(const tallowick::CopySummary& summary, std::size_t rowCount) {
    QStringList sentences;
    if (summary.cancelled) {
        sentences
            << QObject::tr("Stopped after %1 of %2 rows.").arg(summary.rowsDone).arg(rowCount);
    }
    sentences << (summary.copied == 1 ? QObject::tr("Copied 1 file.")
                                      : QObject::tr("Copied %1 files.").arg(summary.copied));
    if (summary.skippedNoMatch > 0) {
        sentences << QObject::tr("Skipped %1 without a match.")
                         .arg(summary.skippedNoMatch == 1
                                  ? QObject::tr("1 row")
                                  : QObject::tr("%1 rows").arg(summary.skippedNoMatch));
    }
    if (!summary.replaced.empty()) {
        sentences << QObject::tr("%1 replaced the copy of an earlier row with the same New Name.")
                         .arg(summary.replaced.size() == 1
                                  ? QObject::tr("1 copy")
                                  : QObject::tr("%1 copies").arg(summary.replaced.size()));
    }
    if (summary.failures.empty()) {
        sentences << QObject::tr("Nothing failed.");
    } else {
        sentences << (summary.failures.size() == 1
                          ? QObject::tr("1 copy failed:")
                          : QObject::tr("%1 copies failed:").arg(summary.failures.size()));
    }
    return sentences.join(QLatin1Char('\n'));
}

QString CopyFailuresText(const tallowick::CopySummary& summary) {
    // A line each, so that long paths never push the reason out of sight.
    QStringList blocks;
    for (const tallowick::CopyFailure& failure : summary.failures) {
        blocks << QObject::tr("Source: %1\nTarget: %2\nReason: %3")
                      .arg(FromBytes(failure.sourcePath), FromBytes(failure.targetPath),
                           FromBytes(failure.reason));
    }
    return blocks.join(QStringLiteral("\n\n"));
}

CCopySummaryDlg::CCopySummaryDlg(const tallowick::CopySummary& summary, std::size_t rowCount,
                                 QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(summary.cancelled ? tr("Copying stopped") : tr("Copying done"));
    auto* layout = new QVBoxLayout(this);

    auto* text = new QLabel(CopySummaryText(summary, rowCount), this);
    text->setObjectName(QStringLiteral("summaryText"));
    text->setTextFormat(Qt::PlainText);
    layout->addWidget(text);

    if (!summary.failures.empty()) {
        auto* failures = new QPlainTextEdit(CopyFailuresText(summary), this);
        failures->setObjectName(QStringLiteral("failureList"));
        failures->setReadOnly(true);
        failures->setLineWrapMode(QPlainTextEdit::NoWrap);
        failures->setMinimumSize(640, 180);
        layout->addWidget(failures);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}
