#pragma once

namespace phrase_data {

// One item of the topic list.
struct TopicEntry {
    int index;
    const char* caption;
    const char* dataFile;
};

} // namespace phrase_data
