#include "words/editor_texts.h"

// The captions of the import preview and of the report on its own; the
// report's lines come with their own texts.
namespace editors {

namespace {

using enum ui::TextTarget;
using ui::LanguageRow;

constexpr LanguageRow ImportReportRows[] = {
    {"FrmImportPreview", "", Caption, 0, "导入CSV", "Import CSV"},
    {"FrmImportPreview", "LabelPreview", Caption, 0, "导入此文件将会：",
     "Importing this file will do the following:"},
    {"FrmImportPreview", "CheckRenumber", Caption, 0, "按文件顺序放到信道 1、2、3…(&R)",
     "Put the rows on channels 1, 2, 3… in file order(&R)"},
    {"FrmImportPreview", "CmdImport", Caption, 0, "导入(&I)", "Import(&I)"},
    {"FrmImportPreview", "CmdCancel", Caption, 0, "取消", "Cancel"},
    {"FrmImportReport", "", Caption, 0, "导入报告", "Import report"},
    {"FrmImportReport", "CmdClose", Caption, 0, "关闭", "Close"},
};

} // namespace

const ui::LanguageTable ImportReportTexts{ImportReportRows};

} // namespace editors
