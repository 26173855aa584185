/* Subscriber: creates, looks up, lists and deletes its data readers, keeps
 * their default QoS, and can make its readers' listeners run.
 *
 * A subscriber is made by its participant; DDS_Subscriber_as_entity and
 * DDS_Subscriber_enable are declared in dds_entity.h. Every function answers
 * the core's return code or pointer unchanged, and tests no handle. */
#ifndef QUILLMARC_DDS_SUBSCRIBER_H
#define QUILLMARC_DDS_SUBSCRIBER_H

#include "dds_entity_sequences.h"
#include "dds_infrastructure.h"
#include "dds_listeners.h"
#include "dds_qos.h"

QUILLMARC_EXTERN_C_BEGIN

/* Creating a reader on a topic description of the subscriber's participant.
 * The reader belongs to the subscriber: it lives until
 * DDS_Subscriber_delete_datareader or DDS_Subscriber_delete_contained_entities.
 * NULL when the core refuses. qos equal to DDS_DATAREADER_QOS_DEFAULT (NULL
 * while that variable is NULL) selects the subscriber's default reader QoS
 * and is not read. The listener record stays the caller's and must stay
 * valid while the reader uses it; NULL: no callback. The _with_qos_profile
 * form hands the three profile names to the core untouched. */
QUILLMARC_API DDS_DataReader* DDS_Subscriber_create_datareader(DDS_Subscriber* subscriber,
                                                               DDS_TopicDescription* topic,
                                                               const DDS_DataReaderQos* qos,
                                                               const DDS_DataReaderListener* listener,
                                                               DDS_StatusMask mask);
QUILLMARC_API DDS_DataReader* DDS_Subscriber_create_datareader_with_qos_profile(
    DDS_Subscriber* subscriber, DDS_TopicDescription* topic, const char* library_name, const char* profile_name,
    const char* qos_name, const DDS_DataReaderListener* listener, DDS_StatusMask mask);
/* The caller's reader handle is not changed; once this answers
 * DDS_RETCODE_OK it no longer names a reader. A reader with loans not
 * returned, or with read or query conditions, is not deleted
 * (DDS_RETCODE_PRECONDITION_NOT_MET). */
QUILLMARC_API DDS_ReturnCode_t DDS_Subscriber_delete_datareader(DDS_Subscriber* subscriber, DDS_DataReader* reader);
/* A reader of this subscriber on the topic named, or NULL. A NULL name
 * throws std::logic_error before the core is asked. */
QUILLMARC_API DDS_DataReader* DDS_Subscriber_lookup_datareader(DDS_Subscriber* subscriber, const char* topic_name);
/* Replaces the whole content of the caller's sequence with the readers that
 * hold a sample in the three state masks, in the core's order, whatever code
 * it answers. The handles belong to the subscriber. */
QUILLMARC_API DDS_ReturnCode_t DDS_Subscriber_get_datareaders(DDS_Subscriber* subscriber,
                                                              DDS_DataReaderSequence* readers,
                                                              DDS_SampleStateMask sample_states,
                                                              DDS_ViewStateMask view_states,
                                                              DDS_InstanceStateMask instance_states);
/* Calls on_data_available of the readers that have new data. */
QUILLMARC_API DDS_ReturnCode_t DDS_Subscriber_notify_datareaders(DDS_Subscriber* subscriber);
/* Deletes every reader of the subscriber. */
QUILLMARC_API DDS_ReturnCode_t DDS_Subscriber_delete_contained_entities(DDS_Subscriber* subscriber);

/* Not provided: both answer DDS_RETCODE_UNSUPPORTED and change nothing. */
QUILLMARC_API DDS_ReturnCode_t DDS_Subscriber_begin_access(DDS_Subscriber* subscriber);
QUILLMARC_API DDS_ReturnCode_t DDS_Subscriber_end_access(DDS_Subscriber* subscriber);

/* The participant that made the subscriber; it belongs to the factory. */
QUILLMARC_API DDS_DomainParticipant* DDS_Subscriber_get_participant(DDS_Subscriber* subscriber);

/* The subscriber's QoS and its default reader QoS. A getter overwrites the
 * caller's initialised record whatever code it answers; a setter always reads
 * its record (DDS_<X>_QOS_DEFAULT has no meaning here). The _with_profile
 * forms hand the three profile names to the core untouched. */
QUILLMARC_API DDS_ReturnCode_t DDS_Subscriber_get_qos(DDS_Subscriber* subscriber, DDS_SubscriberQos* qos);
QUILLMARC_API DDS_ReturnCode_t DDS_Subscriber_set_qos(DDS_Subscriber* subscriber, const DDS_SubscriberQos* qos);
QUILLMARC_API DDS_ReturnCode_t DDS_Subscriber_set_qos_with_profile(DDS_Subscriber* subscriber,
                                                                   const char* library_name,
                                                                   const char* profile_name, const char* qos_name);
QUILLMARC_API DDS_ReturnCode_t DDS_Subscriber_get_default_datareader_qos(DDS_Subscriber* subscriber,
                                                                         DDS_DataReaderQos* qos);
QUILLMARC_API DDS_ReturnCode_t DDS_Subscriber_set_default_datareader_qos(DDS_Subscriber* subscriber,
                                                                         const DDS_DataReaderQos* qos);
QUILLMARC_API DDS_ReturnCode_t DDS_Subscriber_set_default_datareader_qos_with_profile(DDS_Subscriber* subscriber,
                                                                                      const char* library_name,
                                                                                      const char* profile_name,
                                                                                      const char* qos_name);
/* Copies into datareader_qos the policies that a topic QoS shares with a
 * reader QoS; the reader's other policies keep the caller's values. The
 * record is written back whatever the code. The subscriber is not used. */
QUILLMARC_API DDS_ReturnCode_t DDS_Subscriber_copy_from_topic_qos(DDS_Subscriber* subscriber,
                                                                  DDS_DataReaderQos* datareader_qos,
                                                                  const DDS_TopicQos* topic_qos);

/* The listener: the record stays the caller's and must stay valid while the
 * subscriber uses it (NULL: no callback). Its on_data_on_readers hears new
 * data for any of the subscriber's readers; its reader fields hear the
 * events of readers whose own listener does not take them. get_listener
 * answers the record of the last set_listener, or of the creation, and NULL
 * when there is none. */
QUILLMARC_API DDS_ReturnCode_t DDS_Subscriber_set_listener(DDS_Subscriber* subscriber,
                                                           const DDS_SubscriberListener* listener,
                                                           DDS_StatusMask mask);
QUILLMARC_API const DDS_SubscriberListener* DDS_Subscriber_get_listener(DDS_Subscriber* subscriber);

QUILLMARC_EXTERN_C_END

#endif
