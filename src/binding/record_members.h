// The members of the QoS and built-in topic data records, in declaration
// order, as lists X(member) X(member) ...; the conversions and the
// initialise/finalise functions walk the same lists.
#ifndef QUILLMARC_SRC_BINDING_RECORD_MEMBERS_H
#define QUILLMARC_SRC_BINDING_RECORD_MEMBERS_H

#define QUILLMARC_DOMAINPARTICIPANTFACTORY_QOS(X) X(entity_factory)
#define QUILLMARC_DOMAINPARTICIPANT_QOS(X) X(user_data) X(entity_factory)
#define QUILLMARC_PUBLISHER_QOS(X) X(presentation) X(partition) X(group_data) X(entity_factory)
#define QUILLMARC_SUBSCRIBER_QOS(X) QUILLMARC_PUBLISHER_QOS(X)
#define QUILLMARC_TOPIC_QOS(X)                                                                   \
  X(topic_data) X(durability) X(durability_service) X(deadline) X(latency_budget) X(liveliness) \
  X(reliability) X(destination_order) X(history) X(resource_limits) X(transport_priority)      \
  X(lifespan) X(ownership)
#define QUILLMARC_DATAWRITER_QOS(X)                                                        \
  X(durability) X(durability_service) X(deadline) X(latency_budget) X(liveliness)         \
  X(reliability) X(destination_order) X(history) X(resource_limits) X(transport_priority) \
  X(lifespan) X(user_data) X(ownership) X(ownership_strength) X(writer_data_lifecycle)
#define QUILLMARC_DATAREADER_QOS(X)                                                     \
  X(durability) X(deadline) X(latency_budget) X(liveliness) X(reliability)             \
  X(destination_order) X(history) X(resource_limits) X(user_data) X(ownership)         \
  X(time_based_filter) X(reader_data_lifecycle)

#define QUILLMARC_PARTICIPANT_BUILTIN(X) X(key) X(user_data)
#define QUILLMARC_TOPIC_BUILTIN(X)                                                          \
  X(key) X(name) X(type_name) X(durability) X(durability_service) X(deadline)              \
  X(latency_budget) X(liveliness) X(reliability) X(transport_priority) X(lifespan)         \
  X(destination_order) X(history) X(resource_limits) X(ownership) X(topic_data)
#define QUILLMARC_PUBLICATION_BUILTIN(X)                                                    \
  X(key) X(participant_key) X(topic_name) X(type_name) X(durability) X(durability_service) \
  X(deadline) X(latency_budget) X(liveliness) X(reliability) X(lifespan) X(user_data)      \
  X(ownership) X(ownership_strength) X(destination_order) X(presentation) X(partition)     \
  X(topic_data) X(group_data)
#define QUILLMARC_SUBSCRIPTION_BUILTIN(X)                                                   \
  X(key) X(participant_key) X(topic_name) X(type_name) X(durability) X(deadline)           \
  X(latency_budget) X(liveliness) X(reliability) X(ownership) X(destination_order)         \
  X(user_data) X(time_based_filter) X(presentation) X(partition) X(topic_data) X(group_data)

#endif
