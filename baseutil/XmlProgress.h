#pragma once
// Reading a large document with word of how far the reading got, and with
// elements taken out as they are read rather than kept in the tree.

#include <cstdio>
#include <functional>

class CXML;

// Takes chosen elements of a document as they are read, so that a reader of
// a large document need not hold them all as a tree.
class CXmlElementSink {
public:
    virtual ~CXmlElementSink() = default;
    // Whether the element `tag`, starting under `parent`, goes to Take
    // instead of into the tree. Not asked for the elements inside one that
    // goes to Take.
    virtual bool Wants(const CXML& parent, const char* tag) = 0;
    // The element that Wants chose, read whole (attributes, value and the
    // elements inside it). It is reused for the next one after the call.
    virtual void Take(const CXML& parent, CXML& element) = 0;
};

// Replaces `node` by the document read from the rest of `file`, as
// CXML::XMLRead does, telling `progress` (when set) the number of bytes read
// so far after each piece of the file. The elements that `sink` (when set)
// wants go to it instead of into the tree; they are handed over before the
// reading ends, so a failed read must discard what the sink took.
bool XMLReadWithProgress(CXML& node, std::FILE* file,
                         const std::function<void(long long bytesRead)>& progress,
                         CXmlElementSink* sink = nullptr);
