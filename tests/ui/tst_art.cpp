// The pictures as a person sees them, on the screen this runs on (ctest runs
// it on an ordinary screen and on one of twice the density): the About
// window's forest strip is drawn from a picture of the screen's own density,
// pixel for pixel.
#include "tests/ui/gui_fixture.h"

#include <QLabel>

using vintrel::testing::Gui;
using namespace vintrel::ui;

namespace {

QImage rgb(const QImage& image) { return image.convertToFormat(QImage::Format_RGB32); }

}  // namespace

class ArtTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // Guards the dense run against an environment that did not take.
        QCOMPARE(qApp->devicePixelRatio(), qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble());
    }

    void cleanup() { vintrel::testing::ModalWatchdog::verifyNoneUnexpected(); }

    void aboutPictureFillsItsBoxAtTheScreensDensity()
    {
        Gui gui;
        gui.forms().about.Show();
        QWidget* about = gui.forms().about.loadedForm();
        auto* picture = about->findChild<QLabel*>(QStringLiteral("picIcon"));
        QVERIFY(picture);
        const qreal ratio = qApp->devicePixelRatio();
        const QPixmap pixmap = picture->pixmap();
        QCOMPARE(pixmap.devicePixelRatio(), ratio);
        QCOMPARE(pixmap.deviceIndependentSize().toSize(), picture->size());
        QCOMPARE(pixmap.size(), picture->size() * ratio);
        // Each of the screen's pixels in the box is one of the picture's.
        QCOMPARE(rgb(about->grab(picture->geometry()).toImage()), rgb(pixmap.toImage()));
    }
};

VINTREL_GUI_TEST_MAIN(ArtTest)
#include "tst_art.moc"
