#pragma once
// The one place where element text and attributes cross between QString and
// libxml2. Text and attribute values pass through RemoveXmlIllegalChars, and
// text is never parsed as markup, so any user text makes a file that parses.
#include <QList>
#include <QString>

#include <libxml/tree.h>

// Empty text when the attribute is missing; *present tells the two apart.
QString GetAttribute(xmlNodePtr element, const char* name, bool* present = nullptr);
void SetAttribute(xmlNodePtr element, const char* name, const QString& value);
void RemoveAttribute(xmlNodePtr element, const char* name);

// The text of the element and all its descendants; line breaks are LF.
QString TextContent(xmlNodePtr element);
// Replaces every child by one text node. CR LF becomes LF: the file writer
// turns each LF into CR LF, and a CR kept in the tree would come back doubled.
void SetTextContent(xmlNodePtr element, const QString& text);

// Drops what XML 1.0 cannot hold: C0 controls other than tab, LF and CR,
// U+FFFE, U+FFFF and unpaired surrogates.
QString RemoveXmlIllegalChars(const QString& text);

xmlNodePtr RootElement(xmlDocPtr document);
// The element children of a node in document order; with a name, only those.
QList<xmlNodePtr> ChildElements(xmlNodePtr parent, const char* name = nullptr);
// Appends a new, empty element.
xmlNodePtr AppendElement(xmlNodePtr parent, const char* name);
// The element's name as text.
QString ElementName(xmlNodePtr element);
