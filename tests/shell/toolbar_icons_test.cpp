#include "shell/toolbar_icons.h"
#include "support/test_registry.h"

#include <QImage>
#include <QtTest>

using shell::ToolbarPicture;

namespace {

constexpr ToolbarPicture AllPictures[] = {
    ToolbarPicture::NewFile,   ToolbarPicture::OpenFile,   ToolbarPicture::SaveFile,
    ToolbarPicture::ReadRadio, ToolbarPicture::WriteRadio, ToolbarPicture::Warning,
    ToolbarPicture::Computer,
};

QImage drawn(ToolbarPicture picture, int size, QIcon::Mode mode = QIcon::Normal) {
    return shell::toolbarIcon(picture).pixmap(size, mode).toImage();
}

int paintedPixels(const QImage& image) {
    int painted = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            painted += qAlpha(image.pixel(x, y)) > 0;
    return painted;
}

} // namespace

class ToolbarIconsTest : public QObject {
    Q_OBJECT
  private slots:
    void pictureFillsItsSquareAtEverySize_data() {
        QTest::addColumn<int>("picture");
        QTest::addColumn<int>("size");
        for (ToolbarPicture picture : AllPictures)
            for (int size : {16, 24, 48})
                QTest::addRow("picture %d at %d", int(picture), size) << int(picture) << size;
    }
    void pictureFillsItsSquareAtEverySize() {
        QFETCH(int, picture);
        QFETCH(int, size);
        const QImage normal = drawn(ToolbarPicture(picture), size);
        QCOMPARE(normal.size(), QSize(size, size));
        // Drawn, and scaled to the square rather than cut off or shrunk.
        QVERIFY2(paintedPixels(normal) > size * size / 4, "too little of the square is painted");
        QVERIFY(paintedPixels(normal) < size * size);
        QVERIFY(drawn(ToolbarPicture(picture), size, QIcon::Disabled) != normal);
    }

    void everyButtonHasItsOwnPicture() {
        for (ToolbarPicture a : AllPictures)
            for (ToolbarPicture b : AllPictures)
                if (a != b)
                    QVERIFY(drawn(a, 24) != drawn(b, 24));
    }
};

TQ_REGISTER_TEST(ToolbarIconsTest);
#include "toolbar_icons_test.moc"
