// Matching writers and readers of a domain: same topic name, type name and
// type layout, meeting partitions, compatible QoS, both enabled.
#ifndef ZORVEX_SRC_ENGINE_MATCHING_H
#define ZORVEX_SRC_ENGINE_MATCHING_H

#include "engine/deferred.h"

namespace ZORVEX::engine {

class Plan;
class ReaderImpl;
class WriterImpl;

// Brings the writer's (reader's) matches in line with the domain as it is
// now: new matches, lost matches, newly incompatible peers. Worked out, and
// its memory found, while the plan is made; the changes come at its commit.
void rematch(WriterImpl& writer, Plan& plan);
void rematch(ReaderImpl& reader, Plan& plan);

// Unmatches an endpoint on its way out (marked deleted already). It cannot
// fail once prepared: prepare_unmatch_all reserves the calls it queues.
void prepare_unmatch_all(WriterImpl& writer, Deferred& after);
void prepare_unmatch_all(ReaderImpl& reader, Deferred& after);
void unmatch_all(WriterImpl& writer, Deferred& after) noexcept;
void unmatch_all(ReaderImpl& reader, Deferred& after) noexcept;

}  // namespace ZORVEX::engine

#endif
