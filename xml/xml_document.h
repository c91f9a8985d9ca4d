#pragma once
// XmlDocument: an XML document kept as its whole UTF-16 text plus an index of
// element records pointing into that text. A cursor moves over the elements;
// attributes are read as text; writing splices elements and attributes into
// the text and shifts the index, never re-parsing. Files are read and written
// whole. Not thread-safe: one document belongs to one function on one thread.
#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

#include "platform/cstring.h"

class XmlDocument {
public:
    XmlDocument();
    explicit XmlDocument(const CString& text);
    ~XmlDocument();
    XmlDocument(const XmlDocument&) = delete;
    XmlDocument& operator=(const XmlDocument&) = delete;

    // Replaces the text and parses it; true when it is well-formed.
    bool SetText(const CString& text);
    // Reads and decodes a whole file, then parses it as SetText does.
    bool LoadFile(const CString& path);
    // Encodes the text in its declared encoding (UTF-8 when none) and writes it.
    bool SaveFile(const CString& path);

    // Cursor moves (forward only among siblings).
    bool FindElement(const CString& name);
    bool EnterElement();
    bool LeaveElement();

    // Attribute of the current element, references decoded; empty when absent.
    CString GetAttribute(const CString& name) const;
    bool SetAttribute(const CString& name, const CString& value);
    // Adds an empty element after the current one (or at the end of the
    // parent's content) and makes it current.
    bool AddElement(const CString& name);

    // --- read-only views for tools and tests ---------------------------------
    const CString& GetText() const { return m_text; }
    // The result log of the last SetText, LoadFile or SaveFile.
    const CString& GetResult() const { return m_result; }
    bool IsWellFormed() const;
    // Tag name of the current element; empty when there is none.
    CString GetTagName() const;
    // Offset (in characters) of the current element's "<"; -1 when none.
    int GetElementOffset() const;
    // Byte-order mark of the last file read: 0 none, 1 UTF-8, 2 UTF-16LE, 3 UTF-16BE.
    int GetBomKind() const;
    // Number of element records in the index (the document record not counted).
    int GetElementCount() const;

    // Escapes "<", "&", ">" (and in attribute values "'" and '"').
    static CString EscapeText(const CString& text, bool forAttribute);
    // Decodes character and entity references as attribute reading does.
    static CString UnescapeText(const CString& text);

private:
    struct ElementRecord {
        uint32_t start = 0;          // offset of "<" of the start tag
        uint32_t length = 0;         // start to end of end tag (or start tag only)
        // Full width rather than packed bit fields: a start tag longer than
        // 4M characters or an end tag longer than 1023 would not fit and
        // would corrupt every later splice.
        uint32_t startTagLength = 0;
        uint32_t endTagLength = 0;
        uint32_t flags = 0;
        uint32_t parent = 0;
        uint32_t firstChild = 0;
        uint32_t nextSibling = 0;
        uint32_t prevSibling = 0;    // first child: holds the last child
    };
    enum RecordFlags : uint32_t {
        kEmptyElement = 1u << 0,
        kNotEnded = 1u << 1,
        kFirstChild = 1u << 2,
        kIllFormed = 1u << 3,
    };

    enum DocFlags : uint32_t {
        kBomMask = 3u,               // GetBomKind() values
    };

    // Starts the document over with an empty index (record 0 only) and the
    // cursor at the document level; the text is kept.
    void ResetIndex(uint32_t capacity);
    // Next free record, growing the index by half when it is full.
    uint32_t NewRecord();
    // Links child as the last child of parent, or right after sibling.
    void LinkLastChild(uint32_t parent, uint32_t child);
    void LinkAfter(uint32_t sibling, uint32_t child);
    // Whether record r's tag name equals name; the name itself.
    bool NameEquals(uint32_t r, const CString& name) const;
    CString TagName(uint32_t r) const;
    // Parses m_text into the index, appending parse errors to the log.
    bool Parse();
    // Appends one event to the result log (skipped once it is long).
    void Log(const char* event, std::initializer_list<std::pair<const char*, CString>> attrs = {});

    // Implementation state; see xml_document.cpp and its helpers.
    CString m_text;
    CString m_result;
    std::vector<ElementRecord> m_index;
    uint32_t m_indexUsed = 0;
    uint32_t m_parent = 0;
    uint32_t m_current = 0;
    uint32_t m_child = 0;
    int m_nodeKind = 0;
    uint32_t m_docFlags = 0;

    friend class XmlParser;
    friend class XmlWriter;
};
