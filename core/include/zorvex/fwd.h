// Forward declarations of the core's classes.
#ifndef ZORVEX_FWD_H
#define ZORVEX_FWD_H

class SequenceBase;

namespace ZORVEX {
class Entity;
class DomainParticipantFactory;
class DomainParticipant;
class TopicDescription;
class Topic;
class ContentFilteredTopic;
class Publisher;
class DataWriter;
class Subscriber;
class DataReader;
class Condition;
class StatusCondition;
class ReadCondition;
class QueryCondition;
class GuardCondition;
class WaitSet;
class Listener;
class DataWriterListener;
class PublisherListener;
class DataReaderListener;
class SubscriberListener;
class TopicListener;
class DomainParticipantListener;
}  // namespace ZORVEX

#endif
