#include "app/vellumix.h"

#include "app/startup.h"

#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

Vellumix::Vellumix(QWidget *parent, Qt::WindowFlags flags)
    : ZoMainWindow(parent, flags)
{
    setObjectName(QStringLiteral("VellumixClass"));
    resize(993, 760);

    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralWidget"));
    auto *layout = new QVBoxLayout(central);
    layout->setSpacing(6);
    layout->setContentsMargins(11, 11, 11, 11);
    placeholder = new QLabel(central);
    placeholder->setAlignment(Qt::AlignCenter);
    placeholder->setMinimumSize(480, 360);
    layout->addWidget(placeholder);
    setCentralWidget(central);

    progressTimer = new QTimer(this);

    initialize();
    retranslate();

    runFirstStart(this);
    applyProcessorAffinity();
    initFileTypeLists();
}

Vellumix::~Vellumix() = default;

void Vellumix::retranslate()
{
    ZoMainWindow::retranslate();
    placeholder->setText(tr("Import photos and music to make your slide show."));
}
