#pragma once
#include "Services.h"
#include "layout/CodeSettings.h"
#include "printing/PrintForm.h"

#include <QStringList>

namespace numora {

// The preview of a coming run: the open layout's values are loaded into
// forms of their own, which generate the run and print it into whatever
// printer the preview gives them. Nothing of the program moves: no counter,
// no start number, no journal entry.
class Previewer
{
public:
    // The program's services; only the measure, the dialogs, the clock and
    // the fonts are shared.
    explicit Previewer(Services services)
        : m_services(std::move(services))
    {}

    struct Run
    {
        QStringList layoutLines; // the 54 values as the fields hold them now
        QString layoutName, gridType;
        qint64 pages = 0; // printed pages asked for
        bool twoPages = false;
        CodeSettings code;
    };
    // A long run shows its first pages only; the numbers are those of the
    // whole run.
    static constexpr qint64 ShownPages = 100;

    PrintForm::Preview preview(const Run &run) const;
    // The pre-flight findings of the run on the program's printer.
    QStringList preflight(const Run &run) const;

private:
    Services m_services;
};

} // namespace numora
