#pragma once
// Splices new elements and attributes into the document text and shifts the
// element index to match, without parsing again.
#include <QString>
#include <cstdint>

class XmlDocument;

class XmlWriter {
public:
    explicit XmlWriter(XmlDocument& doc);
    bool AddElement(const QString& name);
    bool SetAttribute(const QString& name, const QString& value);

private:
    // Replaces removed characters at pos with text and shifts every record
    // except skip: records after the change move, records spanning it grow.
    void Splice(qsizetype pos, qsizetype removed, const QString& text, uint32_t skip);
    // Where an element added after record r goes: its end, moved past the
    // white space that follows it when a tag comes next.
    qsizetype InsertionAfter(uint32_t r) const;
    bool HasRoomFor(qsizetype added) const;

    XmlDocument& m_doc;
};
