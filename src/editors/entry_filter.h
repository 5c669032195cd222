#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <string_view>

class QLineEdit;

namespace editors {

// A numeric entry box's rules: typed characters outside `allowed` are
// discarded (editing and navigation keys pass), and Enter or losing the
// focus rewrites the text through `leaveCheck`. Enter itself is discarded.
// A `maxLength` above 0 stops typing once the box holds that many characters;
// unlike the box's own length limit it never cuts a text the program sets.
class EntryFilter : public QObject {
  public:
    using Check = std::function<std::string(std::string_view)>;

    EntryFilter(QLineEdit* box, QString allowed, Check leaveCheck, int maxLength = 0);

    // Runs the leave check now, as leaving the box would.
    void runLeaveCheck();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool isRefused(const QString& typed) const;

    QLineEdit* m_box;
    QString m_allowed;
    Check m_leaveCheck;
    int m_maxLength;
};

} // namespace editors
