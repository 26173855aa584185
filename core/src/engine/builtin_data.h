// Built-in topic data of the engine's entities, as matched and discovered
// data queries answer it.
#ifndef ZORVEX_SRC_ENGINE_BUILTIN_DATA_H
#define ZORVEX_SRC_ENGINE_BUILTIN_DATA_H

#include "zorvex/status.h"

namespace ZORVEX::engine {

class ParticipantImpl;
class ReaderImpl;
class TopicImpl;
class WriterImpl;

void describe(const ParticipantImpl& participant, ParticipantBuiltinTopicData& out);
void describe(const TopicImpl& topic, TopicBuiltinTopicData& out);
void describe(const WriterImpl& writer, PublicationBuiltinTopicData& out);
void describe(const ReaderImpl& reader, SubscriptionBuiltinTopicData& out);

}  // namespace ZORVEX::engine

#endif
