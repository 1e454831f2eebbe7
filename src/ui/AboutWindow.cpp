#include "AboutWindow.h"
#include "BoundLabel.h"
#include "Emblem.h"
#include "ViewSupport.h"
#include "app/AboutForm.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace numora::ui {

AboutWindow::AboutWindow(AboutForm &form, std::function<void()> closeRequested, QWidget *parent)
    : FormWindow(form, Place | Visibility, QSizeF(), parent, Qt::Dialog)
    , m_form(form)
    , m_closeRequested(std::move(closeRequested))
{
    setObjectName(form.name());
    setAutoFillBackground(true);
    setMouseTracking(true);
    // The main window is hidden while this one is open: closing this one
    // must not end the program.
    setAttribute(Qt::WA_QuitOnClose, false);

    auto *emblem = new Emblem(this);
    emblem->setMouseTracking(true);
    place(emblem, form.picture);

    auto *name = new QLabel(QStringLiteral("Talonix"), this);
    name->setMouseTracking(true);
    QFont nf = name->font();
    nf.setPointSizeF(17);
    nf.setBold(true);
    nf.setLetterSpacing(QFont::PercentageSpacing, 104);
    name->setFont(nf);
    QPalette np = name->palette();
    np.setColor(QPalette::WindowText, QColor(0x1E, 0x35, 0x54));
    name->setPalette(np);
    name->setGeometry(px(this, form.version.left()), px(this, 420), px(this, form.version.width()), px(this, 600));

    auto *version = asCaption(new BoundLabel(form.version, BoundLabel::Plain, this));
    QFont vf = version->font();
    vf.setPointSizeF(10);
    version->setFont(vf);
    place(version, form.version);
    // The caption is the window's own; the line below it names the release
    // the package installed, which is what a support call asks for.
    if (const QString release = QCoreApplication::applicationVersion(); !release.isEmpty()) {
        auto *line = asCaption(new QLabel(tr("Version %1").arg(release), this));
        line->setObjectName(QStringLiteral("release"));
        line->setMouseTracking(true);
        line->setFont(vf);
        line->setGeometry(px(this, form.version.left()), px(this, form.version.top() + form.version.height() + 60),
                          px(this, form.version.width()), px(this, form.version.height()));
        version->setToolTip(line->text());
    }

    // A rule between the product and the link.
    auto *rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    rule->setMouseTracking(true);
    rule->setGeometry(px(this, 240), px(this, 2220), px(this, form.width() - 480), px(this, 30));

    m_link = new BoundLabel(form.linkLabel, BoundLabel::ModelColours, this);
    QFont lf = m_link->font();
    lf.setUnderline(true);
    m_link->setFont(lf);
    m_link->setCursor(Qt::PointingHandCursor);
    m_link->setToolTip(tr("Open the guide in the browser"));
    place(m_link, form.linkLabel);

    followForm();
}

void AboutWindow::place(QWidget *w, const Control &c)
{
    w->setGeometry(px(this, c.left()), px(this, c.top()), px(this, c.width()), px(this, c.height()));
}

void AboutWindow::closeEvent(QCloseEvent *e)
{
    e->accept();
    if (m_closeRequested)
        m_closeRequested();
}

void AboutWindow::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape) {
        close();
        return;
    }
    FormWindow::keyPressEvent(e);
}

void AboutWindow::mouseMoveEvent(QMouseEvent *e)
{
    m_form.mouse(MouseAction::Move, mouseButtonCode(e->buttons()), twips(this, e->position().x()),
                 twips(this, e->position().y()));
}

} // namespace numora::ui
