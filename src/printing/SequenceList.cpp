#include "SequenceList.h"
#include "platform/Numeric.h"

namespace numora {

QStringView SequenceList::body(qsizetype i) const
{
    if (i < 0 || i >= count())
        return {};
    const qsizetype begin = i == 0 ? 0 : m_ends[std::size_t(i - 1)];
    return QStringView(m_chars.data() + begin, m_ends[std::size_t(i)] - begin);
}

QStringView SequenceList::head(qsizetype i) const
{
    if (i < 0 || i >= count())
        return {};
    return m_headTexts.at(m_heads[std::size_t(i)]);
}

RunEntry SequenceList::entry(qsizetype i) const
{
    if (i < 0 || i >= count())
        return {};
    const Place &place = m_headPlaces[m_heads[std::size_t(i)]];
    const Span span = m_spans[std::size_t(i)];
    return RunEntry{m_slots[std::size_t(i)], place.top, place.left, body(i),
                    WrittenNumber{span.at, span.digits, m_values[std::size_t(i)]}};
}

QString SequenceList::item(qsizetype i) const
{
    if (i < 0 || i >= count())
        return {};
    const QStringView h = head(i);
    const QStringView b = body(i);
    QString s;
    s.reserve(h.size() + b.size());
    s.append(h);
    s.append(b);
    return s;
}

quint32 SequenceList::headId(const QString &head)
{
    // A run has a dozen heads and hands in the same QString objects again
    // and again, slot after slot: the head after the last one is tried
    // first, then a pointer match over the pool, which is cheaper than
    // hashing.
    const auto sameData = [&head](const QString &h) {
        return h.constData() == head.constData() && h.size() == head.size();
    };
    const qsizetype next = qsizetype(m_lastHead) + 1 < m_headTexts.size() ? qsizetype(m_lastHead) + 1 : 0;
    if (next < m_headTexts.size() && sameData(m_headTexts.at(next)))
        return m_lastHead = quint32(next);
    for (qsizetype j = 0; j < m_headTexts.size() && j < 16; ++j) {
        if (sameData(m_headTexts.at(j)))
            return m_lastHead = quint32(j);
    }
    const auto it = m_headIds.constFind(head);
    if (it != m_headIds.constEnd())
        return m_lastHead = *it;
    const quint32 id = quint32(m_headTexts.size());
    m_headTexts.append(head);
    // A head is the two position texts of six characters each.
    m_headPlaces.push_back({leadingNumber(head.left(6)), leadingNumber(head.mid(6, 6))});
    m_headIds.insert(head, id);
    return m_lastHead = id;
}

void SequenceList::append(const QString &head, QStringView body, const WrittenNumber &number, int slot)
{
    const bool within = number.digits > 0 && number.at >= 0 && number.at + number.digits <= body.size()
                        && number.at + number.digits <= 0xFFFF;
    m_heads.push_back(headId(head));
    m_spans.push_back(within ? Span{quint16(number.at), quint16(number.digits)} : Span{});
    m_values.push_back(within ? number.value : 0);
    m_slots.push_back(quint8(slot));
    m_chars.insert(m_chars.end(), body.utf16(), body.utf16() + body.size());
    m_ends.push_back(qsizetype(m_chars.size()));
    viewChanged();
}

void SequenceList::appendAll(const SequenceList &other)
{
    if (&other == this || other.count() == 0)
        return;
    for (qsizetype i = 0; i < other.count(); ++i) {
        m_heads.push_back(headId(other.m_headTexts.at(other.m_heads[std::size_t(i)])));
        m_spans.push_back(other.m_spans[std::size_t(i)]);
        m_values.push_back(other.m_values[std::size_t(i)]);
        m_slots.push_back(other.m_slots[std::size_t(i)]);
        const QStringView b = other.body(i);
        m_chars.insert(m_chars.end(), b.utf16(), b.utf16() + b.size());
        m_ends.push_back(qsizetype(m_chars.size()));
    }
    viewChanged();
}

void SequenceList::clear()
{
    // Give the memory back after a large run; a page buffer emptied after
    // every page keeps its small capacity.
    if (m_ends.capacity() > 4096) {
        std::vector<char16_t>().swap(m_chars);
        std::vector<qsizetype>().swap(m_ends);
        std::vector<quint32>().swap(m_heads);
        std::vector<Span>().swap(m_spans);
        std::vector<qint64>().swap(m_values);
        std::vector<quint8>().swap(m_slots);
    } else {
        m_chars.clear();
        m_ends.clear();
        m_heads.clear();
        m_spans.clear();
        m_values.clear();
        m_slots.clear();
    }
    // The head pool is not visible from outside; a small one is kept.
    if (m_headTexts.size() > 64) {
        m_headTexts.clear();
        m_headIds.clear();
        m_headPlaces.clear();
        m_lastHead = 0;
    }
    viewChanged();
}

void SequenceList::reserve(qsizetype entries, qsizetype chars)
{
    m_ends.reserve(std::size_t(entries));
    m_heads.reserve(std::size_t(entries));
    m_spans.reserve(std::size_t(entries));
    m_values.reserve(std::size_t(entries));
    m_slots.reserve(std::size_t(entries));
    m_chars.reserve(std::size_t(chars));
}

qsizetype SequenceList::memoryUsed() const
{
    return qsizetype(m_chars.size() * sizeof(char16_t) + m_ends.size() * sizeof(qsizetype)
                     + m_heads.size() * sizeof(quint32) + m_spans.size() * sizeof(Span)
                     + m_values.size() * sizeof(qint64) + m_slots.size());
}

bool SequenceList::has(const QString &p) const
{
    return p == QLatin1String("listCount") || p.startsWith(QLatin1String("list(")) || Control::has(p);
}

QVariant SequenceList::get(const QString &p) const
{
    if (p == QLatin1String("listCount"))
        return count();
    if (p.startsWith(QLatin1String("list(")) && p.endsWith(QLatin1Char(')'))) {
        bool ok = false;
        const qsizetype i = p.mid(5, p.size() - 6).toLongLong(&ok);
        if (!ok || i < 0 || i >= count())
            return {};
        return item(i);
    }
    return Control::get(p);
}

} // namespace numora
