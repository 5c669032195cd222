#include "shell/about_box.h"

#include "shell/link_label.h"
#include "shell/product_picture.h"
#include "ui/apply_language.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace shell {

namespace {

QLabel* addLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    return label;
}

} // namespace

AboutBox::AboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      lblTitle(addLabel(this, "lblTitle")), lblVersion(addLabel(this, "lblVersion")),
      lblCopyR(addLabel(this, "lblCopyR")), lblCompany(new LinkLabel(this)),
      Image1(addLabel(this, "Image1")) {
    setObjectName("FrmAbout");
    setWindowModality(Qt::ApplicationModal);
    lblCompany->setObjectName("lblCompany");
    lblCompany->setToolTip(makerPage().toString()); // where the link leads

    QFont titleFont = lblTitle->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    lblTitle->setFont(titleFont);
    Image1->setPixmap(productPicture(170, devicePixelRatioF()));

    auto* texts = new QVBoxLayout;
    texts->setSpacing(6);
    texts->addWidget(lblTitle);
    texts->addWidget(lblVersion);
    texts->addStretch(1);
    texts->addWidget(lblCopyR);
    texts->addWidget(lblCompany, 0, Qt::AlignLeft);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(20, 18, 28, 18);
    layout->setSpacing(24);
    layout->addWidget(Image1, 0, Qt::AlignTop);
    layout->addLayout(texts);
    // The box takes the size its texts need, in either language.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The platform reports a page it cannot open; the box shows nothing.
    connect(lblCompany, &LinkLabel::activated, this,
            [] { QDesktopServices::openUrl(makerPage()); });
    ui::applyLanguageTable(this, AboutBoxTexts, 0);
}

QUrl AboutBox::makerPage() {
    return QUrl(QStringLiteral(TQ_MAKER_URL));
}

void AboutBox::showModal(const QIcon& windowIcon) {
    setWindowIcon(windowIcon);
    show();
    raise();
    activateWindow();
}

void AboutBox::mouseReleaseEvent(QMouseEvent* event) {
    // Clicks on the labels and the picture reach here too, as the labels
    // leave them to their window; only the background closes the box.
    if (event->button() == Qt::LeftButton && !childAt(event->position().toPoint()))
        accept();
}

} // namespace shell
