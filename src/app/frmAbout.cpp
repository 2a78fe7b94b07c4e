#include "app/frmAbout.h"

#include <QPainter>
#include <QScreen>

#include "app/AboutLinks.h"
#include "app/ButtonSounds.h"
#include "app/HotSpot.h"
#include "app/SkinImages.h"
#include "app/WindowDrag.h"

namespace vrel {

frmAbout::frmAbout(const VrelCFG& config, SoundPort& sounds, ShellPort& shell,
                   std::filesystem::path programFolder, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      config_(config),
      sounds_(sounds),
      shell_(shell),
      programFolder_(std::move(programFolder)),
      background_(SkinPixmap(QStringLiteral("about"), QSize(300, 200))) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Vrel"));
    setAccessibleName(QStringLiteral("About Vrel"));
    setFixedSize(300, 197);
    setModal(true);
    setMouseTracking(true);

    const QCursor pointer = SkinPointer();
    Label1 = new HotSpot(QStringLiteral("Close"), QRect(196, 156, 89, 25), this);
    Label2 = new HotSpot(QStringLiteral("Open the README"), QRect(244, 116, 33, 9), this);
    Label3 = new HotSpot(QStringLiteral("Open the release notes"), QRect(204, 128, 73, 9), this);
    Label4 = new HotSpot(QStringLiteral("Open the licence"), QRect(244, 136, 33, 9), this);
    Label5 = new HotSpot(QStringLiteral("Write an e-mail"), QRect(24, 164, 69, 13), this);
    Label5->setText(QStringLiteral("Mail the team"));
    QFont small;
    small.setFamilies({QStringLiteral("Small Fonts"), QStringLiteral("Tahoma"),
                       QStringLiteral("Nimbus Sans"), QStringLiteral("Liberation Sans"),
                       QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
    small.setPixelSize(10);
    small.setBold(true);
    Label5->setFont(small);
    Label5->SetForeColor(ColourFromBgr(kMailLinkColour));

    const std::pair<HotSpot*, const char*> names[] = {{Label1, "Label1"},
                                                      {Label2, "Label2"},
                                                      {Label3, "Label3"},
                                                      {Label4, "Label4"},
                                                      {Label5, "Label5"}};
    for (const auto& [spot, name] : names) {
        spot->setObjectName(QString::fromLatin1(name));
        spot->setCursor(pointer);
    }

    connect(Label1, &HotSpot::clicked, this, &frmAbout::Label1_Click);
    connect(Label2, &HotSpot::clicked, this,
            [this] { shell_.OpenFile(programFolder_ / kReadMeFile); });
    connect(Label3, &HotSpot::clicked, this,
            [this] { shell_.OpenFile(programFolder_ / kReleaseNotesFile); });
    connect(Label4, &HotSpot::clicked, this,
            [this] { shell_.OpenFile(programFolder_ / kLicenceFile); });
    connect(Label5, &HotSpot::clicked, this, [this] { shell_.Open(kMailAddress); });
    connect(Label5, &HotSpot::PointerMoved, this,
            [this] { Label5->SetForeColor(ColourFromBgr(kMailLinkHoverColour)); });

    Drag = new WindowDrag(this);
    Drag->MoveFromPress(this);
}

void frmAbout::Label1_Click() {
    PlayClickSound(config_, sounds_, programFolder_);
    accept();
}

void frmAbout::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, background_);
}

void frmAbout::mouseMoveEvent(QMouseEvent* event) {
    Label5->SetForeColor(ColourFromBgr(kMailLinkColour));
    QDialog::mouseMoveEvent(event);
}

void frmAbout::showEvent(QShowEvent* event) {
    const QScreen* shownOn = parentWidget() != nullptr ? parentWidget()->screen() : this->screen();
    move(shownOn->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
}

}  // namespace vrel
