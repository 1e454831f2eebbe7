#include "CodeDialog.h"
#include "platform/CodeShapes.h"
#include "printing/CodeMaker.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace numora::ui {

// The sample: the number's text and its code beside it as the page has them,
// scaled to fit.
class CodeSample : public QWidget
{
public:
    explicit CodeSample(QWidget *parent)
        : QWidget(parent)
    {
        setMinimumSize(360, 200);
    }
    void show(const QString &text, const CodeSettings &settings, std::shared_ptr<const CodeShapes> shapes)
    {
        m_text = text;
        m_settings = settings;
        m_shapes = std::move(shapes);
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        // The text at 12 points, in twips as the page counts.
        QFont font = p.font();
        font.setPointSizeF(12);
        const QFontMetricsF metrics(font);
        const double twipsPerPixel = 1440.0 / logicalDpiX();
        const QRectF text(0, 0, metrics.horizontalAdvance(m_text) * twipsPerPixel, metrics.height() * twipsPerPixel);
        QRectF all = text;
        QRectF code;
        if (m_shapes) {
            code = codeExtent(m_settings, QSizeF(m_shapes->width, m_shapes->height), text);
            all = all.united(code);
        }
        const double scale = std::min((width() - 16) / all.width(), (height() - 16) / all.height());
        p.translate(8 - all.left() * scale, 8 - all.top() * scale);
        p.scale(scale, scale);
        QFont scaled = font;
        scaled.setPixelSize(std::max(1, qRound(metrics.height() * twipsPerPixel * 0.8)));
        p.setFont(scaled);
        p.setPen(Qt::black);
        p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, m_text);
        if (m_shapes) {
            const double module = code.width() / m_shapes->width;
            p.translate(code.topLeft());
            p.scale(module, module);
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::black);
            p.drawRects(m_shapes->bars.constData(), int(m_shapes->bars.size()));
        }
    }

private:
    QString m_text;
    CodeSettings m_settings;
    std::shared_ptr<const CodeShapes> m_shapes;
};

CodeDialog::CodeDialog(const CodeSettings &settings, const QString &sampleText, QWidget *parent)
    : QDialog(parent)
    , m_sampleText(sampleText)
    , m_codes(std::make_unique<CodeMaker>())
{
    setWindowTitle(tr("Code beside the numbers"));
    auto *form = new QFormLayout;
    m_type = new QComboBox(this);
    for (int t = 0; t < codeTypeNames().size(); ++t)
        m_type->addItem(codeTypeTitle(CodeSettings::Type(t)));
    m_content = new QComboBox(this);
    m_content->addItems({tr("The number's text"), tr("The number alone")});
    m_place = new QComboBox(this);
    m_place->addItems({tr("Below the text"), tr("Above the text"), tr("Left of the text"), tr("Right of the text")});
    const auto millimetres = [this](double low, double high, double step) {
        auto *box = new QDoubleSpinBox(this);
        box->setRange(low, high);
        box->setSingleStep(step);
        box->setDecimals(2);
        box->setSuffix(tr(" mm"));
        return box;
    };
    m_gap = millimetres(0, 50, 0.5);
    m_height = millimetres(3, 100, 1);
    m_module = millimetres(0.2, 3, 0.05);
    form->addRow(tr("Code"), m_type);
    form->addRow(tr("Holds"), m_content);
    form->addRow(tr("Place"), m_place);
    form->addRow(tr("Gap"), m_gap);
    form->addRow(tr("Bar height"), m_height);
    form->addRow(tr("Module"), m_module);
    m_type->setCurrentIndex(int(settings.type));
    m_content->setCurrentIndex(int(settings.content));
    m_place->setCurrentIndex(int(settings.place));
    m_gap->setValue(settings.gapMm);
    m_height->setValue(settings.heightMm);
    m_module->setValue(settings.moduleMm);

    m_sample = new CodeSample(this);
    m_problem = new QLabel(this);
    m_problem->setWordWrap(true);
    m_problem->setStyleSheet(QStringLiteral("color: #b00000"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(m_sample, 1);
    column->addWidget(m_problem);
    column->addWidget(buttons);

    for (QComboBox *box : {m_type, m_content, m_place})
        connect(box, &QComboBox::currentIndexChanged, this, &CodeDialog::refresh);
    for (QDoubleSpinBox *box : {m_gap, m_height, m_module})
        connect(box, &QDoubleSpinBox::valueChanged, this, &CodeDialog::refresh);
    refresh();
}

CodeDialog::~CodeDialog() = default;

CodeSettings CodeDialog::settings() const
{
    CodeSettings s;
    s.type = CodeSettings::Type(m_type->currentIndex());
    s.content = CodeSettings::Content(m_content->currentIndex());
    s.place = CodeSettings::Place(m_place->currentIndex());
    s.gapMm = m_gap->value();
    s.heightMm = m_height->value();
    s.moduleMm = m_module->value();
    return s.bounded();
}

void CodeDialog::refresh()
{
    const CodeSettings s = settings();
    // What a code cannot be set for is shown disabled rather than ignored.
    m_content->setEnabled(s.used() && s.type != CodeSettings::Type::Ean13);
    m_place->setEnabled(s.used());
    m_gap->setEnabled(s.used());
    m_height->setEnabled(s.isLinear());
    m_module->setEnabled(s.used());
    QString why;
    std::shared_ptr<const CodeShapes> shapes;
    if (s.used()) {
        m_codes->setSettings(s);
        const auto value = CodeMaker::valueOfShown(s, m_sampleText);
        shapes = value ? m_codes->shapes(*value, &why) : nullptr;
        if (!value)
            why = tr("\"%1\" has no number.").arg(m_sampleText);
    }
    m_problem->setText(
        why.isEmpty() ? QString() : tr("The %1 cannot hold \"%2\": %3").arg(codeTypeTitle(s.type), m_sampleText, why));
    m_sample->show(m_sampleText, s, shapes);
}

} // namespace numora::ui
