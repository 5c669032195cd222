#include "shell/write_changes_dialog.h"

#include "link/protocol.h"
#include "settings/catalogue.h"
#include "shell/read_only_table.h"
#include "words/image_difference.h"
#include "words/language_text.h"
#include "words/write_changes_dialog_texts.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShowEvent>
#include <QTableWidget>
#include <QVBoxLayout>
#include <vector>

namespace shell {

namespace {

constexpr int ChangeColumnCount = 4;
// Of the screen, at most this share for the dialog.
constexpr double ScreenShare = 0.8;

// The bytes a write sends: its blocks, and the calibration block if asked.
std::vector<image::ByteRange> writtenBytes(bool withCalibration) {
    namespace link = radiolink::protocol;
    std::vector<image::ByteRange> ranges;
    for (const link::BlockRun& run : link::WriteBlocks)
        ranges.push_back({run.first, run.first + std::size_t(run.count) * link::BlockDataSize - 1});
    if (withCalibration)
        ranges.push_back(
            {link::CalibrationBlock, link::CalibrationBlock + link::BlockDataSize - 1});
    return ranges;
}

} // namespace

WriteChangesDialog::WriteChangesDialog(const image::MemoryImage& radio,
                                       const image::MemoryImage& toWrite, int language,
                                       bool withCalibration,
                                       std::span<const settings::UnwritableValue> unwritable,
                                       QWidget* parent)
    : QDialog(parent) {
    setObjectName("FrmWriteChanges");
    const auto text = [language](const char* control, ui::TextTarget target, int index) {
        return ui::languageText(WriteChangesTexts, "FrmWriteChanges", control, target, index,
                                language);
    };
    setWindowTitle(text("", ui::TextTarget::Caption, 0));

    const std::vector<image::ByteRange> compared = writtenBytes(withCalibration);
    const QList<Change> changes = imageDifference(radio, toWrite, language, compared);

    LabelCount = new QLabel(this);
    LabelCount->setObjectName("LabelCount");
    if (changes.size() > 1)
        LabelCount->setText(text("LabelCount", ui::TextTarget::Caption, 0).arg(changes.size()));
    else
        LabelCount->setText(text("LabelCount", ui::TextTarget::Caption, changes.isEmpty() ? 1 : 2));

    TableChanges = new QTableWidget(int(changes.size()), ChangeColumnCount, this);
    TableChanges->setObjectName("TableChanges");
    for (int column = 0; column < ChangeColumnCount; ++column)
        TableChanges->setHorizontalHeaderItem(
            column, new QTableWidgetItem(text("TableChanges", ui::TextTarget::HeaderCell, column)));
    for (int row = 0; row < changes.size(); ++row) {
        const Change& change = changes[row];
        const QString cells[ChangeColumnCount] = {change.place, change.setting, change.before,
                                                  change.after};
        for (int column = 0; column < ChangeColumnCount; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setToolTip(cells[column]); // the whole text of a cell cut short
            TableChanges->setItem(row, column, item);
        }
    }
    makeReadOnlyList(*TableChanges);

    LabelUnwritable = new QLabel(this);
    LabelUnwritable->setObjectName("LabelUnwritable");
    QStringList notes{text("LabelUnwritable", ui::TextTarget::Caption, 0)};
    for (const settings::UnwritableValue& value : unwritable)
        if (const auto keyed = settings::findKey(value.key);
            keyed && settings::writtenText(value, language) != value.held)
            notes << text("LabelUnwritable", ui::TextTarget::Caption, 1)
                         .arg(keyed->index)
                         .arg(QString::fromUtf8(keyed->setting->caption.in(language)),
                              QString::fromStdString(value.held),
                              QString::fromStdString(settings::writtenText(value, language)));
    LabelUnwritable->setText(notes.join('\n'));
    LabelUnwritable->setVisible(notes.size() > 1);

    CmdWrite = new QPushButton(text("CmdWrite", ui::TextTarget::Caption, 0), this);
    CmdWrite->setObjectName("CmdWrite");
    CmdCancel = new QPushButton(text("CmdCancel", ui::TextTarget::Caption, 0), this);
    CmdCancel->setObjectName("CmdCancel");
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(CmdWrite, QDialogButtonBox::AcceptRole);
    buttons->addButton(CmdCancel, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Enter writes, as the user asked for the write and now sees it; only the
    // focus on Cancel (Tab) makes Enter cancel. Escape always cancels.
    CmdWrite->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LabelCount);
    layout->addWidget(TableChanges, 1);
    layout->addWidget(LabelUnwritable);
    layout->addWidget(buttons);
    TableChanges->setVisible(!changes.isEmpty());
    TableChanges->setFocus(Qt::OtherFocusReason);
    fitToContents();
}

void WriteChangesDialog::showEvent(QShowEvent* event) {
    if (!event->spontaneous())
        fitToContents();
    QDialog::showEvent(event);
}

bool WriteChangesDialog::confirmWriteChanges(
    QWidget* parent, const image::MemoryImage& radio, const image::MemoryImage& toWrite,
    int language, bool withCalibration, std::span<const settings::UnwritableValue> unwritable) {
    WriteChangesDialog dialog(radio, toWrite, language, withCalibration, unwritable, parent);
    return dialog.exec() == QDialog::Accepted;
}

int WriteChangesDialog::changeCount() const {
    return TableChanges->rowCount();
}

// As wide as the table's columns and as tall as its rows, within the screen;
// on a narrow screen the widest columns give way, so no column is out of sight.
void WriteChangesDialog::fitToContents() {
    fitTableToTexts(*TableChanges);
    const QScreen* screen = parentWidget() ? parentWidget()->screen() : this->screen();
    const QSize available = screen->availableGeometry().size() * ScreenShare;
    const QMargins margins = layout()->contentsMargins();
    const int border = 2 * TableChanges->frameWidth();
    const int room = available.width() - margins.left() - margins.right() - border -
                     TableChanges->verticalScrollBar()->sizeHint().width();
    QHeaderView* header = TableChanges->horizontalHeader();
    for (int column = 0; column < ChangeColumnCount && header->length() > room; ++column)
        header->resizeSection(column,
                              std::min(header->sectionSize(column), room / ChangeColumnCount));
    const int tableWidth = std::min(header->length(), room) + available.width() - room -
                           margins.left() - margins.right();
    const int tableHeight =
        header->sizeHint().height() + TableChanges->verticalHeader()->length() + border;
    // A scroll bar only where something is out of sight: one shown for
    // nothing narrows the rows, the last column stretches back over it, and
    // the other bar then hides rows.
    const bool allRows = tableHeight <= available.height() / 2;
    TableChanges->setHorizontalScrollBarPolicy(header->length() <= room ? Qt::ScrollBarAlwaysOff
                                                                        : Qt::ScrollBarAsNeeded);
    TableChanges->setVerticalScrollBarPolicy(allRows ? Qt::ScrollBarAlwaysOff
                                                     : Qt::ScrollBarAsNeeded);
    TableChanges->setMinimumSize(tableWidth, std::min(tableHeight, available.height() / 2));
    resize(minimumSizeHint()
               .expandedTo({tableWidth + margins.left() + margins.right(),
                            tableHeight + LabelCount->sizeHint().height() +
                                CmdWrite->sizeHint().height() + margins.top() + margins.bottom() +
                                2 * layout()->spacing() +
                                (LabelUnwritable->isVisibleTo(this)
                                     ? LabelUnwritable->sizeHint().height() + layout()->spacing()
                                     : 0)})
               .boundedTo(available));
}

} // namespace shell
