#pragma once
// Single forward pass over the document text that builds the element index.
#include <QHash>
#include <QStringView>
#include <cstdint>
#include <vector>

class XmlDocument;

class XmlParser {
public:
    explicit XmlParser(XmlDocument& doc);
    // Resets the cursor and the index, scans the whole text, and logs the
    // syntax errors and the missing or doubled root.
    void Run();

private:
    struct OpenElement {
        uint32_t record;
        QStringView name;  // into the document text
    };

    // Each scanner takes the offset of a "<" and returns the offset where
    // scanning resumes, or -1 when the text ends inside the node.
    qsizetype ScanNode(qsizetype p);
    qsizetype ScanDoctype(qsizetype p);
    qsizetype ScanStartTag(qsizetype p);
    qsizetype ScanEndTag(qsizetype p);
    qsizetype SyntaxError(const char* event, qsizetype p);
    qsizetype Unterminated(const char* type, qsizetype p);
    // Offset after the closing quote of the quoted run opening at i; -1 if none.
    qsizetype SkipQuoted(qsizetype i) const;
    qsizetype Find(QStringView what, qsizetype from) const;

    // Leaves every open element above the first keep ones not ended; their
    // children become their following siblings.
    void LeaveNotEnded(size_t keep);
    void MarkIllFormed();
    void CountOpen(QStringView name, int change);
    bool LogHasRoom() const;

    XmlDocument& m_doc;
    const char16_t* m_t = nullptr;
    qsizetype m_len = 0;
    std::vector<OpenElement> m_open;
    // How many elements of each name are open: an end tag whose name is not
    // open is a lone end tag without a walk down the stack, and a walk that
    // starts always ends at a match, closing what it passes.
    QHash<QStringView, uint32_t> m_openByName;
};
