#pragma once

namespace phrase_data {

// One item of the topic list; its index is its place in the list.
struct TopicEntry {
    const char* caption;
    const char* dataFile;
};

} // namespace phrase_data
