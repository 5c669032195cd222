#pragma once

#include "image/band_limits.h"
#include "image/editor_values.h"

#include <QWidget>
#include <array>
#include <vector>

class QAction;
class QMenu;

namespace editors {

class ChannelGrid;
class FrequencyBox;
class OverlayList;

// Form1, the channel table: the editor of the 99 memory channels. Grid1
// shows them; a cell is edited through an entry box (Text1) or a drop-down
// list laid over it: Combo1 for the tones, and the Combo5 members 5..8
// (objectNames "Combo5_5".."Combo5_8", one per flag column). The per-channel tables
// ChannelFreqText, ChannelToneText and ChannelListIndex are what the image
// encoder reads; the grid only shows them.
class ChannelTable : public QWidget {
    Q_OBJECT
  public:
    static constexpr int ChannelCount = image::ChannelCount;
    // Grid columns; the per-channel tables are indexed by them too.
    static constexpr int RxCol = 1, TxCol = 2, RxToneCol = 3, TxToneCol = 4;
    static constexpr int FirstFlagCol = 5, LastFlagCol = 8;

    // Checks entries against `band`, which the band selection keeps current.
    explicit ChannelTable(const image::BandLimits& band, QWidget* parent = nullptr);

    // The size of the child window when the program starts.
    static QSize initialWindowSize();

    // The per-channel tables ChannelFreqText, ChannelToneText and
    // ChannelListIndex: what the encoder reads.
    const image::ChannelTableValues& channelValues() const { return m_tables; }

    // A cell of Grid1 as shown (row 0: the header row), for printing.
    QString cellText(int row, int col) const;

    // Blanks channel n: its cells and its table entries.
    void ClearNO(int n);
    // Blanks every channel.
    void ClearGrid();
    // New: the lists back to their defaults, every channel blank.
    void StartForm();
    // Rewrites every channel's cells from the tables, in the language in force.
    void RefreshGrid();
    // Settles a pending frequency entry; does nothing while none is open.
    void Text1_LostFocus();
    // Shows channel n of a decoded image in its cells and tables; an empty
    // row blanks the channel.
    void showDecodedChannel(int n, const image::ChannelRow& row);
    // The same for channels 1..99 in turn.
    void showDecodedChannels(const image::ChannelTableValues& values);
    // Puts `values` into the tables exactly, and shows them: what undo,
    // imports and the channel operations use to replace the table.
    void setChannels(const image::ChannelTableValues& values);
    // setChannels as one user action, such as an import: edited() follows
    // once, if anything changed.
    void replaceChannels(const image::ChannelTableValues& values);

    // Channel operations (channel_table_operations.cpp). They work on the
    // channels picked in the number column, or else on the current cell's.
    std::vector<int> selectedChannels() const;
    // Cut, Copy, Paste, Delete, Insert, Move up and Move down, with their
    // shortcuts (live while the grid has the focus), for the menus.
    const QList<QAction*>& operationActions() const { return m_operations; }

    // The cell being edited, and whether the grid's next click is a real one.
    int EditRow = 0;
    int EditCol = 0;
    bool GridClickArmed = false;

  signals:
    // A user action changed the tables; emitted once, when it is complete.
    void edited();

  private:
    void buildGrid();
    void buildOverlays();
    OverlayList* makeList(const char* name);
    OverlayList* Combo5(int col) const; // the member for grid column 5..8
    OverlayList* listFor(int col) const;
    bool isChannel(int n) const { return n >= 1 && n <= ChannelCount; }
    void setFreq(int n, int col, const QString& freq);
    void setListCell(int n, int col, int position);

    // Editing (channel_table_editing.cpp).
    void Grid1_Click();
    void openOverlay();
    void onListChosen(OverlayList* list, int position);
    void closeOverlay();
    void commitFrequency(const QString& text);
    void completeNewChannel(int n, const QString& freq);

    // Channel operations (channel_table_operations.cpp).
    void buildOperations();
    void copyChannels();
    void cutChannels();
    void pasteChannels();
    void deleteChannels();
    void insertChannel();
    void moveChannels(int step);
    // Settles an open overlay first, so an operation neither drops a pending entry nor
    // works under it.
    void settleOverlay();

    const image::BandLimits& m_band;
    QWidget* picClient = nullptr;
    ChannelGrid* Grid1 = nullptr;
    FrequencyBox* Text1 = nullptr;
    OverlayList* Combo1 = nullptr;
    std::array<OverlayList*, LastFlagCol - FirstFlagCol + 1> m_combo5{};
    QWidget* m_openOverlay = nullptr; // the overlay over (EditRow, EditCol), if any
    QList<QAction*> m_operations;
    QMenu* m_contextMenu = nullptr;

    image::ChannelTableValues m_tables;
};

} // namespace editors
