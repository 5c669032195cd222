#include "words/print_preview_texts.h"

namespace print {

namespace {

using enum ui::TextTarget;
using ui::LanguageRow;

constexpr LanguageRow PrintPreviewRows[] = {
    {"FrmPrint", "PrintButton", Caption, 0, "打印(&P)...", "&Print..."},
    {"FrmPrint", "PdfButton", Caption, 0, "导出PDF(&E)...", "&Export PDF..."},
    {"FrmPrint", "ZoomInButton", Caption, 0, "放大", "Zoom In"},
    {"FrmPrint", "ZoomOutButton", Caption, 0, "缩小", "Zoom Out"},
    {"FrmPrint", "FitWidthButton", Caption, 0, "适合宽度", "Fit Width"},
    {"FrmPrint", "FitPageButton", Caption, 0, "整页", "Whole Page"},
    {"FrmPrint", "FirstPageButton", Caption, 0, "首页", "First Page"},
    {"FrmPrint", "PreviousPageButton", Caption, 0, "上一页", "Previous Page"},
    {"FrmPrint", "NextPageButton", Caption, 0, "下一页", "Next Page"},
    {"FrmPrint", "LastPageButton", Caption, 0, "末页", "Last Page"},
    {"FrmPrint", "CloseButton", Caption, 0, "关闭", "Close"},
};

} // namespace

const ui::LanguageTable PrintPreviewTexts{PrintPreviewRows};

} // namespace print
