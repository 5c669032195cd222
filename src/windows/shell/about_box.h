#pragma once

#include "words/language_table.h"

#include <QDialog>
#include <QUrl>

class QLabel;

namespace shell {

class LinkLabel;

// FrmAbout: names the product and its edition, with the product picture
// Image1 and the maker's credit line lblCompany, which opens the maker's
// web page. A click on the background closes the box; clicks on the other
// labels and the picture do nothing. Escape closes it too.
class AboutBox : public QDialog {
  public:
    // Captioned in Chinese, as designed; the language switch rewrites it.
    explicit AboutBox(QWidget* parent);

    // The maker's web page.
    static QUrl makerPage();

    // Shows the box modally and returns at once.
    void showModal(const QIcon& windowIcon);

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QLabel* lblTitle;
    QLabel* lblVersion;
    QLabel* lblCopyR;
    LinkLabel* lblCompany;
    QLabel* Image1;
};

// FrmAbout's rows of the language table.
extern const ui::LanguageTable AboutBoxTexts;

} // namespace shell
