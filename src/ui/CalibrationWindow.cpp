#include "CalibrationWindow.h"
#include "platform/Printer.h"
#include "printing/CalibrationSheet.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace numora::ui {

namespace {

// The sheet as it should come out of the printer, drawn small: the paper,
// the rulers along its top and left edges, and the two targets with the
// places they belong at.
class SheetPicture : public QWidget
{
public:
    SheetPicture(QSizeF paperMm, CalibrationTargets targets, QWidget *parent)
        : QWidget(parent)
        , m_paper(paperMm)
        , m_targets(targets)
    {
        setFixedSize(int(paperMm.width() * 1.2) + 2, int(paperMm.height() * 1.2) + 2);
        setObjectName(QStringLiteral("CalibrationSheet"));
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const double k = (width() - 2) / m_paper.width();
        const auto at = [k](QPointF mm) { return QPointF(1 + mm.x() * k, 1 + mm.y() * k); };
        p.fillRect(rect(), palette().base());
        p.setPen(QPen(palette().text().color(), 0));
        p.drawRect(QRectF(at({0, 0}), at({m_paper.width(), m_paper.height()})));
        // Rulers, a tick every ten millimetres.
        constexpr double inset = 15;
        p.drawLine(at({inset, inset}), at({m_paper.width() - inset, inset}));
        p.drawLine(at({inset, inset}), at({inset, m_paper.height() - inset}));
        for (double mm = 20; mm <= m_paper.width() - inset; mm += 10)
            p.drawLine(at({mm, inset}), at({mm, inset + 4}));
        for (double mm = 20; mm <= m_paper.height() - inset; mm += 10)
            p.drawLine(at({inset, mm}), at({inset + 4, mm}));
        QFont small = font();
        small.setPointSizeF(7);
        p.setFont(small);
        const QPointF targets[2] = {m_targets.first, m_targets.second};
        for (int i = 0; i < 2; ++i) {
            const QPointF t = targets[i];
            p.drawLine(at(t - QPointF(8, 0)), at(t + QPointF(8, 0)));
            p.drawLine(at(t - QPointF(0, 8)), at(t + QPointF(0, 8)));
            p.drawRect(QRectF(at(t - QPointF(3, 3)), at(t + QPointF(3, 3))));
            // The first's label below right of it, the second's above left.
            const QPointF textAt = at(t + (i == 0 ? QPointF(10, 12) : QPointF(-70, -10)));
            p.drawText(textAt, QStringLiteral("T%1: %2, %3 mm").arg(i + 1).arg(t.x(), 0, 'f', 1).arg(t.y(), 0, 'f', 1));
        }
    }

private:
    QSizeF m_paper;
    CalibrationTargets m_targets;
};

} // namespace

CalibrationWindow::CalibrationWindow(PrinterCalibrator &calibrator, QWidget *parent)
    : QDialog(parent)
    , m_calibrator(calibrator)
{
    setObjectName(QStringLiteral("CalibrationWindow"));
    setWindowTitle(tr("Calibrate %1").arg(calibrator.printerName()));
    const CalibrationTargets targets = calibrator.targets();
    const PrintArea area = calibrator.printer().printArea();

    auto *intro =
        new QLabel(tr("1. Print the calibration sheet on \"%1\".\n"
                      "2. Measure from the paper's left and top edges to the centre of each target, in millimetres.\n"
                      "3. Type the readings and store them: every run, reprint and preview on this printer is\n"
                      "    placed by the offset and scale they give.")
                       .arg(calibrator.printerName()),
                   this);
    auto *printButton = new QPushButton(tr("Print the sheet"), this);
    printButton->setObjectName(QStringLiteral("PrintSheet"));
    connect(printButton, &QPushButton::clicked, this, &CalibrationWindow::printSheet);

    auto *readings = new QFormLayout;
    const QString names[4] = {tr("T1 across"), tr("T1 down"), tr("T2 across"), tr("T2 down")};
    const double nominal[4] = {targets.first.x(), targets.first.y(), targets.second.x(), targets.second.y()};
    for (int i = 0; i < 4; ++i) {
        auto *box = new QDoubleSpinBox(this);
        box->setObjectName(QStringLiteral("Reading%1").arg(i + 1));
        box->setRange(0, 1000);
        box->setDecimals(2);
        box->setSingleStep(0.1);
        box->setSuffix(tr(" mm"));
        box->setValue(nominal[i]);
        m_readings[i] = box;
        readings->addRow(names[i], box);
    }
    m_fromEdge = new QCheckBox(tr("Count positions from the paper's edge (layouts made on another printer)"), this);
    m_fromEdge->setObjectName(QStringLiteral("FromPaperEdge"));
    m_fromEdge->setChecked(calibrator.stored().fromPaperEdge);
    m_current = new QLabel(this);
    m_current->setObjectName(QStringLiteral("CurrentCalibration"));
    m_outcome = new QLabel(this);
    m_outcome->setObjectName(QStringLiteral("CalibrationOutcome"));
    m_outcome->setWordWrap(true);

    auto *buttons = new QDialogButtonBox(this);
    auto *storeButton = buttons->addButton(tr("Store"), QDialogButtonBox::ApplyRole);
    storeButton->setObjectName(QStringLiteral("StoreCalibration"));
    storeButton->setAutoDefault(false);
    printButton->setAutoDefault(false);
    // Escape and Close store nothing.
    buttons->addButton(QDialogButtonBox::Close);
    connect(storeButton, &QPushButton::clicked, this, &CalibrationWindow::store);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *form = new QVBoxLayout;
    form->addWidget(intro);
    form->addWidget(printButton, 0, Qt::AlignLeft);
    form->addLayout(readings);
    form->addWidget(m_fromEdge);
    form->addWidget(m_current);
    form->addWidget(m_outcome);
    form->addStretch(1);
    form->addWidget(buttons);
    auto *row = new QHBoxLayout(this);
    row->addWidget(new SheetPicture(QSizeF(area.paperWidth, area.paperHeight) / PrintArea::twipsPerMm, targets, this));
    row->addLayout(form, 1);
    showStored();
}

void CalibrationWindow::showStored()
{
    m_current->setText(m_calibrator.isStored() ? tr("Stored: %1").arg(describeCalibration(m_calibrator.stored()))
                                               : tr("Not calibrated: the printer places numbers as it is."));
}

void CalibrationWindow::printSheet()
{
    const QString why = m_calibrator.printSheet();
    m_outcome->setText(why.isEmpty() ? tr("The sheet went to %1.").arg(m_calibrator.printer().targetName())
                                     : tr("The sheet was not printed: %1").arg(why));
}

void CalibrationWindow::store()
{
    QString why;
    const auto stored =
        m_calibrator.store(QPointF(m_readings[0]->value(), m_readings[1]->value()),
                           QPointF(m_readings[2]->value(), m_readings[3]->value()), m_fromEdge->isChecked(), &why);
    m_outcome->setText(stored ? tr("Stored for %1.").arg(m_calibrator.printerName()) : why);
    showStored();
}

} // namespace numora::ui
