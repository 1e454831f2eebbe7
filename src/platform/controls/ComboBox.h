#pragma once
#include "TextEditing.h"

#include <QStringList>

namespace numora {

// A combo box, either a pick list (only its items can be its text) or an
// editable list (free text, items offered). Choosing an item runs onClick;
// typing or a program write of an editable text runs onChange.
class ComboBox : public TextEditing
{
public:
    enum Kind { PickList, Editable };
    ComboBox(QString name, Kind k)
        : TextEditing(std::move(name))
        , m_kind(k)
    {}
    const char *kind() const override { return m_kind == PickList ? "PickList" : "ComboBox"; }
    bool isPickList() const { return m_kind == PickList; }

    const QStringList &items() const { return m_items; }
    int count() const { return int(m_items.size()); }
    QString item(int i) const { return m_items.value(i); }
    void addItem(const QString &t);
    void setItems(const QStringList &items);
    // Empties the list and the text, as the toolkit's Clear does; no events.
    void clear();

    int listIndex() const { return m_index; }
    // Program write of the selected position; -1 deselects. Out of range
    // fails. A new position runs onClick.
    bool setListIndex(int i);
    // Program write of the text. A pick list only takes one of its items.
    bool setText(const QString &t) override;
    // The operator picks an item: always a click, even on the same item.
    bool choose(int i);
    bool choose(const QString &itemText);

    QVariant get(const QString &property) const override;
    bool set(const QString &property, const QVariant &value) override;
    bool has(const QString &property) const override;

protected:
    void textChanged() override;
    bool acceptsTyping() const override { return m_kind == Editable; }

private:
    Kind m_kind;
    QStringList m_items;
    int m_index = -1;
    bool m_selecting = false;
};

} // namespace numora
