// Plot images: their memory, and palette PNG files of them from which any reader gets back every
// pixel, in one part or in the two halves deflated side by side; images the palette cannot hold are
// left to the true-colour writer.

#include "platform/IndexedPng.h"
#include "platform/LargePageImage.h"
#include "platform/LargePages.h"

#include <QImage>
#include <QTest>
#include <fstream>
#include <sys/mman.h>
#include <sys/resource.h>

using namespace corvex;

namespace {

// w x h pixels of `colours` colours: runs of 7 pixels, each colour in turn, so every row differs.
QImage pattern(int w, int h, int colours) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y,
                           qRgb(((x / 7 + y) % colours) * 37 % 256, (x / 7 + y) % colours % 256,
                                200 + (x / 7 + y) % colours / 256));
    return image;
}

} // namespace

class TstPlotImage : public QObject {
    Q_OBJECT
  private slots:
    // Blocks start zeroed; those of a 2 MiB page or more start on a 2 MiB boundary, as large pages must.
    void largeBlocks() {
        for (const size_t bytes : {size_t(1), size_t(4095), size_t(2) << 20, (size_t(5) << 20) + 1}) {
            auto* block = static_cast<unsigned char*>(mapLargeBlock(bytes));
            QVERIFY(block[0] == 0 && block[bytes - 1] == 0);
            block[bytes - 1] = 1;
            QCOMPARE(reinterpret_cast<uintptr_t>(block) % (bytes >= (2u << 20) ? 2u << 20 : 4096u),
                     uintptr_t(0));
            unsigned char resident = 0; // a large block's slack after its last page is given back
            QVERIFY(bytes < (2u << 20) ||
                    ::mincore(block + (bytes + 4095) / 4096 * 4096, 4096, &resident) == -1);
            unmapLargeBlock(block, bytes);
        }
        std::vector<int16_t, ZeroPageAllocator<int16_t>> points(250001); // zero until written
        QVERIFY(points[1] == 0 && points[250000] == 0);
        // An image the process has no room for is a null image, as QImage gives, not an exception.
        rlimit limit;
        ::getrlimit(RLIMIT_AS, &limit);
        long pages = 0;
        std::ifstream("/proc/self/statm") >> pages; // the address space in use
        const rlimit tight{rlim_t(pages) * 4096 + (rlim_t(64) << 20), limit.rlim_max};
        ::setrlimit(RLIMIT_AS, &tight);
        const bool tooLargeIsNull = largePageImage(20000, 20000).isNull();
        ::setrlimit(RLIMIT_AS, &limit);
        QVERIFY(tooLargeIsNull);
        QImage image = largePageImage(1280, 960);
        image.fill(Qt::white);
        QImage copy = image; // the pixels outlive the first owner
        image = QImage();
        QCOMPARE(copy.pixel(1279, 959), qRgb(255, 255, 255));
    }
    void readsBackEveryPixel() {
        // 1x1; 255x255 = 65,025 pixels (one part); 256x256 = 65,536 (two halves); 1280x961 (an odd half).
        const struct {
            int w, h, colours;
        } cases[] = {{1, 1, 1}, {255, 255, 256}, {256, 256, 21}, {1280, 961, 2}};
        for (const auto& c : cases) {
            QImage image = pattern(c.w, c.h, c.colours);
            image.setDotsPerMeterX(3780); // 96 dpi
            image.setDotsPerMeterY(2835); // 72 dpi
            const auto png = encodeIndexedPng(image);
            QVERIFY(png);
            QCOMPARE(png->mid(24, 2), QByteArray("\x08\x03", 2)); // 8-bit palette indices
            const QByteArray paletteBytes = QByteArray::number(c.colours * 3, 16).rightJustified(8, '0');
            QCOMPARE(png->mid(33, 8).toHex(), paletteBytes + QByteArray("PLTE").toHex()); // 3 bytes a colour
            const QImage back = QImage::fromData(*png, "PNG");
            QCOMPARE(back.convertToFormat(QImage::Format_RGB32), image);
            QCOMPARE(std::pair(back.dotsPerMeterX(), back.dotsPerMeterY()), std::pair(3780, 2835));
        }
    }
    void leavesOtherImagesToQt() {
        QVERIFY(!encodeIndexedPng(pattern(257 * 7, 1, 257))); // one colour too many
        QVERIFY(!encodeIndexedPng(pattern(8, 8, 2).convertToFormat(QImage::Format_ARGB32)));
        QVERIFY(!encodeIndexedPng(QImage()));
    }
};

QTEST_APPLESS_MAIN(TstPlotImage)
#include "tst_plotimage.moc"
