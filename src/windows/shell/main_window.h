#pragma once

#include "image/band_limits.h"
#include "image/editor_values.h"
#include "image/image_layout.h"
#include "shell/app_folders.h"
#include "shell/settings_store.h"

#include <QMainWindow>
#include <array>
#include <cstdint>
#include <memory>

class QAction;
class QComboBox;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QTimer;
class QToolBar;

namespace files {
struct DatFile;
}

namespace radiolink {
class QtLink;
class SerialPort;
} // namespace radiolink

namespace editors {
class BandList;
class BandSelection;
class ChannelTable;
class DtmfEditor;
class FmPresetsEditor;
class OptionalFeatures;
class PowerLevels;
} // namespace editors

namespace shell {

class AboutBox;
class EditHistory;
class FileCommands;
class ProgressWindow;
class SafeWriteFlow;
class ServiceModes;
class WindowTransferView;
enum class ServiceMode;

// MDIForm1: the multiple-document main window with the menus, the tool bar,
// the band bar and the status bar; it owns the two image buffers.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(const AppFolders& folders, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Both buffers hold the 2048-byte image at 0..2047; index 2048 is unused.
    image::MemoryImage ReceiveImage{};
    image::MemoryImage TransmitImage{};

    // The band limits every editor checks against.
    image::BandLimits Band;

    // Shows ReceiveImage in the editors.
    void DecodeImage();
    // Builds TransmitImage from the editors and the band list.
    void EncodeImage();
    // What the editors and the band list hold, as the encoder reads it.
    image::EditorValues editorValues() const;
    // Puts values taken by editorValues() back into the editors exactly.
    void showEditorValues(const image::EditorValues& values);
    // The undo history of every editor.
    EditHistory& editHistory() const { return *m_history; }
    // An opened data file: its band (no question), its image into
    // ReceiveImage, then DecodeImage.
    void showDatFile(const files::DatFile& file);
    // New: every editor but the FM presets back to its defaults.
    void StartForms();
    // UILanguage, every window text, then the channel table's list cells.
    void switchLanguage(int language);

    const QString& programFolder() const { return m_folders.programFolder; }
    // Where the program keeps what it keeps (a detached window keeps nothing).
    const AppFolders& folders() const { return m_folders; }
    // Where writes keep their backups and File > Backups... looks for them.
    QString backupsFolder() const { return shell::backupsFolder(m_folders); }
    FileCommands& fileCommands() const { return *m_files; }

    QMdiArea* mdiArea() const { return m_mdiArea; }
    // The band list's selection: band code, ResetBand, selection from code.
    editors::BandSelection* bandSelection() const { return m_bandSelection; }
    // Form1, the channel table.
    editors::ChannelTable* channelTable() const { return Form1; }

    // Adds an editor as a hidden child window whose close box only hides it.
    QMdiSubWindow* addEditor(QWidget* form);
    // Shows an editor's child window and brings it to the front.
    void showEditor(QWidget* form);

    editors::DtmfEditor* dtmfEditor() const { return Form2; }
    editors::OptionalFeatures* optionalFeatures() const { return Form3; }
    editors::PowerLevels* powerLevels() const { return Form4; }
    editors::FmPresetsEditor* fmPresetsEditor() const { return Form5; }

    // MSComm1, the serial port the transfers talk through.
    radiolink::SerialPort* serialPort() const { return MSComm1; }
    // Whether a read or a write (its reads included) is running.
    bool transferRunning() const;
    // The port number chosen for the transfers; 0 while none is.
    int chosenPortNumber() const;
    // Writes the backup file at `path` back to the radio on `port`, through
    // the safe write. Another port than the chosen one is only lent to the
    // restore: the chosen port stays chosen, and saved.
    void restoreBackup(const QString& path, int port);
    // Before a transfer: the chosen port opened again when its line was lost
    // (cable pulled, radio gone). False, after the port error, when it will
    // not open.
    bool reopenLostPort();
    // Once a write is over: the port lent to a restore let go, and the
    // chosen port opened again.
    void endLentPort();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void createMenus();
    void createToolBar();
    void createBandBar();
    void createStatusBar();
    void createEditors();
    // Form1's channel operations as a group of the Edit menu.
    void addChannelOperations();
    void loadForm();
    void unloadForm();
    void onToolbarButton(const QString& key);
    // MNCommPort: the port list, shown with its entries open, each with
    // what its number reaches.
    void showPortList();
    // ComboCom's opened entries as a table of the number and its summary.
    void createPortListView();
    // MNPorts: FrmPorts, whose bindings take effect at the port's next open.
    void showPorts();
    // A port chosen in ComboCom (also run by the program at load).
    void onPortChosen();
    void showPortError();
    void focusActiveEditor();
    // The link engine over MSComm1, TimerW and TimerMeg, and MNRead/MNWrite.
    void createLink();
    // MNBatchWrite: the editors' image to the radios on several ports. The
    // window's own port is let go while it is open.
    void showBatchWrite();
    // MNBackupFirst and MNVerifyAfter, from the settings store and kept there
    // at every change.
    void createWriteOptions();
    // Opens the port ComboCom names (or the one lent to a restore); false
    // when it did not open.
    bool openChosenPort();
    // MNF1 and MNAbout with FrmAbout.
    void createHelp();
    // The undo history, fed by every editor, with MNUndo and MNRedo.
    void createHistory();
    void onServiceModeShown(ServiceMode mode, bool on);
    void tickClock();
    QAction* addMenuItem(QWidget* menu, const char* name, const char* caption,
                         const QKeySequence& shortcut = {});

    AppFolders m_folders;
    QMdiArea* m_mdiArea = nullptr;
    QToolBar* Toolbar1 = nullptr;
    QLabel* Label1 = nullptr;
    editors::BandList* Combo1 = nullptr;
    editors::BandSelection* m_bandSelection = nullptr;
    editors::ChannelTable* Form1 = nullptr;
    QComboBox* ComboCom = nullptr;
    radiolink::SerialPort* MSComm1 = nullptr;
    QLabel* m_panels[3] = {};
    QTimer* TimerW = nullptr;
    QTimer* TimerMeg = nullptr;
    QTimer* m_clock = nullptr;
    bool m_wheelFilterAttached = false;
    editors::DtmfEditor* Form2 = nullptr;
    editors::OptionalFeatures* Form3 = nullptr;
    editors::PowerLevels* Form4 = nullptr;
    editors::FmPresetsEditor* Form5 = nullptr;
    ServiceModes* m_serviceModes = nullptr;
    std::unique_ptr<FileCommands> m_files;
    ProgressWindow* FrmWriting = nullptr;
    WriteOptions m_writeOptions;
    // The port a restore to another radio runs on; 0 when none is lent.
    int m_lentPort = 0;
    AboutBox* FrmAbout = nullptr;
    EditHistory* m_history = nullptr;
    // The engine refers to the view: it goes first.
    std::unique_ptr<WindowTransferView> m_transferView;
    std::unique_ptr<radiolink::QtLink> m_link;
    std::unique_ptr<SafeWriteFlow> m_write;
};

} // namespace shell
