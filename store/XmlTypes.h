#pragma once
// The document tree's pointer types, declared as libxml2 declares them, so that
// headers passing trees around need none of the parser's headers.
struct _xmlDoc;
struct _xmlNode;
using xmlDocPtr = _xmlDoc*;
using xmlNodePtr = _xmlNode*;
