#include "editors/import_report_view.h"

#include "ui/apply_language.h"
#include "words/editor_texts.h"
#include "words/program_flags.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>

namespace editors {

namespace {

constexpr int MinimumWidth = 560;

} // namespace

ImportReportView::ImportReportView(QWidget* parent) : QWidget(parent) {
    setObjectName("ImportReport");
    m_summary = new QLabel(this);
    m_summary->setObjectName("LabelSummary");
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont bold = m_summary->font();
    bold.setBold(true);
    m_summary->setFont(bold);

    m_rows = new QPlainTextEdit(this);
    m_rows->setObjectName("TextRows");
    m_rows->setReadOnly(true);
    m_rows->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_rows->setTabChangesFocus(true);
    m_rows->setMinimumSize(MinimumWidth, 260);

    m_note = new QLabel(this);
    m_note->setObjectName("LabelNote");
    m_note->setWordWrap(true);
    m_note->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_rows, 1);
    layout->addWidget(m_summary);
    layout->addWidget(m_note);
    setFocusProxy(m_rows);
}

void ImportReportView::showReport(const exchange::ImportReport& report) {
    const int language = ui::UILanguage;
    m_summary->setText(QString::fromStdString(exchange::reportSummary(report, language)));
    QStringList lines;
    lines.reserve(qsizetype(report.rows.size()) + 1);
    for (const exchange::RowReport& row : report.rows)
        lines << QString::fromStdString(exchange::reportLine(row, language));
    if (const std::string unread = exchange::reportUnreadRest(report, language); !unread.empty())
        lines << QString::fromStdString(unread);
    m_rows->setPlainText(lines.join('\n'));
    // Wide enough for the longest line, as far as the screen allows, so
    // that a reason is read without scrolling sideways. Only the line with
    // the most characters is measured: measuring thousands would keep the
    // window from opening.
    const auto longest =
        std::max_element(lines.begin(), lines.end(),
                         [](const QString& a, const QString& b) { return a.size() < b.size(); });
    const int widest =
        longest == lines.end() ? 0 : m_rows->fontMetrics().horizontalAdvance(*longest);
    const int wanted = widest + 2 * m_rows->frameWidth() +
                       2 * int(m_rows->document()->documentMargin()) +
                       m_rows->verticalScrollBar()->sizeHint().width();
    const int room = screen() ? screen()->availableGeometry().width() * 4 / 5 : MinimumWidth;
    m_rows->setMinimumWidth(std::clamp(wanted, MinimumWidth, std::max(room, MinimumWidth)));
    const QString note = QString::fromStdString(exchange::reportNote(report, language));
    m_note->setText(note);
    m_note->setVisible(!note.isEmpty());
}

void showImportReport(QWidget* parent, const exchange::ImportReport& report) {
    QDialog FrmImportReport(parent);
    FrmImportReport.setObjectName("FrmImportReport");
    auto* view = new ImportReportView(&FrmImportReport);
    view->showReport(report);
    auto* buttons = new QDialogButtonBox(&FrmImportReport);
    auto* close = buttons->addButton(QString(), QDialogButtonBox::AcceptRole);
    close->setObjectName("CmdClose");
    close->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &FrmImportReport, &QDialog::accept);

    auto* layout = new QVBoxLayout(&FrmImportReport);
    layout->addWidget(view, 1);
    layout->addWidget(buttons);
    ui::applyLanguageTable(&FrmImportReport, ImportReportTexts, ui::UILanguage);
    view->setFocus();
    FrmImportReport.exec();
}

} // namespace editors
