// Matching writers and readers of a domain: same topic name, type name and
// type layout, meeting partitions, compatible QoS, both enabled.
#ifndef ZORVEX_SRC_ENGINE_MATCHING_H
#define ZORVEX_SRC_ENGINE_MATCHING_H

#include "engine/deferred.h"

namespace ZORVEX::engine {

class ReaderImpl;
class WriterImpl;

// Brings the writer's (reader's) matches in line with the domain as it is
// now: new matches, lost matches, newly incompatible peers.
void rematch(WriterImpl& writer, Deferred& after);
void rematch(ReaderImpl& reader, Deferred& after);

void unmatch_all(WriterImpl& writer, Deferred& after);
void unmatch_all(ReaderImpl& reader, Deferred& after);

}  // namespace ZORVEX::engine

#endif
