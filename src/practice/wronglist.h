#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace practice {

// A wrong-word list: the text shown for each entry and the word index it belongs to, kept
// together so the two can never get out of step. New entries go to the end; a drill takes them
// from the front.
class WrongList
{
public:
    struct Entry {
        QString text;
        int index = 0;
        bool operator==(const Entry &o) const { return text == o.text && index == o.index; }
    };

    void add(const QString &text, int index) { m_entries.append(Entry{text, index}); }
    // Puts an entry back at the end, as a drill does with a word answered wrong again.
    void appendBack(const Entry &entry) { m_entries.append(entry); }
    // Removes entry row; false when there is no such row.
    bool removeAt(int row);
    void clear() { m_entries.clear(); }
    std::optional<Entry> takeFront();

    const QList<Entry> &entries() const { return m_entries; }
    int size() const { return static_cast<int>(m_entries.size()); }
    bool isEmpty() const { return m_entries.isEmpty(); }
    // The texts as the list shows them, and the indexes as plain decimals.
    QStringList texts() const;
    QStringList indexTexts() const;

private:
    QList<Entry> m_entries;
};

} // namespace practice
