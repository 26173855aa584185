/* Publisher: creates, looks up and deletes its data writers, keeps their
 * default QoS, and groups publication control (suspension, coherent changes,
 * waiting for acknowledgments).
 *
 * A publisher is made by its participant; DDS_Publisher_as_entity and
 * DDS_Publisher_enable are declared in dds_entity.h. Every function answers
 * the core's return code or pointer unchanged, and tests no handle. */
#ifndef QUILLMARC_DDS_PUBLISHER_H
#define QUILLMARC_DDS_PUBLISHER_H

#include "dds_infrastructure.h"
#include "dds_listeners.h"
#include "dds_qos.h"

QUILLMARC_EXTERN_C_BEGIN

/* Creating a writer on a topic of the publisher's participant. The writer
 * belongs to the publisher: it lives until DDS_Publisher_delete_datawriter or
 * DDS_Publisher_delete_contained_entities. NULL when the core refuses.
 * qos equal to DDS_DATAWRITER_QOS_DEFAULT (NULL while that variable is NULL)
 * selects the publisher's default writer QoS and is not read. The listener
 * record stays the caller's and must stay valid while the writer uses it;
 * NULL: no callback. The _with_qos_profile form hands the three profile
 * names to the core untouched. */
QUILLMARC_API DDS_DataWriter* DDS_Publisher_create_datawriter(DDS_Publisher* publisher, DDS_Topic* topic,
                                                              const DDS_DataWriterQos* qos,
                                                              const DDS_DataWriterListener* listener,
                                                              DDS_StatusMask mask);
QUILLMARC_API DDS_DataWriter* DDS_Publisher_create_datawriter_with_qos_profile(
    DDS_Publisher* publisher, DDS_Topic* topic, const char* library_name, const char* profile_name,
    const char* qos_name, const DDS_DataWriterListener* listener, DDS_StatusMask mask);
/* The caller's writer handle is not changed; once this answers
 * DDS_RETCODE_OK it no longer names a writer. */
QUILLMARC_API DDS_ReturnCode_t DDS_Publisher_delete_datawriter(DDS_Publisher* publisher, DDS_DataWriter* writer);
/* A writer of this publisher on the topic named, or NULL. A NULL name throws
 * std::logic_error before the core is asked. */
QUILLMARC_API DDS_DataWriter* DDS_Publisher_lookup_datawriter(DDS_Publisher* publisher, const char* topic_name);
/* Deletes every writer of the publisher. */
QUILLMARC_API DDS_ReturnCode_t DDS_Publisher_delete_contained_entities(DDS_Publisher* publisher);

/* Publication control. */
QUILLMARC_API DDS_ReturnCode_t DDS_Publisher_suspend_publications(DDS_Publisher* publisher);
QUILLMARC_API DDS_ReturnCode_t DDS_Publisher_resume_publications(DDS_Publisher* publisher);
QUILLMARC_API DDS_ReturnCode_t DDS_Publisher_begin_coherent_changes(DDS_Publisher* publisher);
QUILLMARC_API DDS_ReturnCode_t DDS_Publisher_end_coherent_changes(DDS_Publisher* publisher);
QUILLMARC_API DDS_ReturnCode_t DDS_Publisher_wait_for_acknowledgments(DDS_Publisher* publisher,
                                                                      const DDS_Duration_t* max_wait);

/* The participant that made the publisher; it belongs to the factory. */
QUILLMARC_API DDS_DomainParticipant* DDS_Publisher_get_participant(DDS_Publisher* publisher);

/* The publisher's QoS and its default writer QoS. A getter overwrites the
 * caller's initialised record whatever code it answers; a setter always reads
 * its record (DDS_<X>_QOS_DEFAULT has no meaning here). The _with_profile
 * forms hand the three profile names to the core untouched. */
QUILLMARC_API DDS_ReturnCode_t DDS_Publisher_get_qos(DDS_Publisher* publisher, DDS_PublisherQos* qos);
QUILLMARC_API DDS_ReturnCode_t DDS_Publisher_set_qos(DDS_Publisher* publisher, const DDS_PublisherQos* qos);
QUILLMARC_API DDS_ReturnCode_t DDS_Publisher_set_qos_with_profile(DDS_Publisher* publisher, const char* library_name,
                                                                  const char* profile_name, const char* qos_name);
QUILLMARC_API DDS_ReturnCode_t DDS_Publisher_get_default_datawriter_qos(DDS_Publisher* publisher,
                                                                        DDS_DataWriterQos* qos);
QUILLMARC_API DDS_ReturnCode_t DDS_Publisher_set_default_datawriter_qos(DDS_Publisher* publisher,
                                                                        const DDS_DataWriterQos* qos);
QUILLMARC_API DDS_ReturnCode_t DDS_Publisher_set_default_datawriter_qos_with_profile(DDS_Publisher* publisher,
                                                                                     const char* library_name,
                                                                                     const char* profile_name,
                                                                                     const char* qos_name);
/* Copies into datawriter_qos the policies that a topic QoS shares with a
 * writer QoS; the writer's other policies keep the caller's values. The
 * record is written back whatever the code. The publisher is not used. */
QUILLMARC_API DDS_ReturnCode_t DDS_Publisher_copy_from_topic_qos(DDS_Publisher* publisher,
                                                                 DDS_DataWriterQos* datawriter_qos,
                                                                 const DDS_TopicQos* topic_qos);

/* Not provided: set_listener answers DDS_RETCODE_UNSUPPORTED and changes
 * nothing; get_listener answers NULL, also for a publisher created with a
 * listener record. A publisher's listener is given when its participant
 * creates it. */
QUILLMARC_API DDS_ReturnCode_t DDS_Publisher_set_listener(DDS_Publisher* publisher,
                                                          const DDS_PublisherListener* listener,
                                                          DDS_StatusMask mask);
QUILLMARC_API const DDS_PublisherListener* DDS_Publisher_get_listener(DDS_Publisher* publisher);

QUILLMARC_EXTERN_C_END

#endif
