#pragma once
#include "layout/LayoutDocument.h"

#include <array>
#include <memory>

namespace numora {

class NumberSample;

// The print order selector WayPrint: choosing an order shows its
// illustration and switches between one start number for the run (orders
// 1 to 6) and one counter per slot (orders 7 and 8).
class PrintOrderSelector
{
public:
    PrintOrderSelector(LayoutDocument &doc, NumberSample &sample);

    // Picture16..Picture23, the illustrations of orders 1 to 8, stacked.
    std::array<std::unique_ptr<Label>, 8> pictures;
    Label &picture(int order)
    {
        Q_ASSERT(order >= 1 && order <= int(pictures.size()));
        return *pictures[std::size_t(order - 1)];
    }

    void connectEvents();
    void orderChosen();

private:
    LayoutDocument &m_doc;
    NumberSample &m_sample;
};

} // namespace numora
