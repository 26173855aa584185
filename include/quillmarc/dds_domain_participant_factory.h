/* The domain participant factory: where an application starts.
 *
 * The factory is the core's process-wide singleton; there is nothing to
 * initialise and nothing to finalise. It creates, deletes and looks up
 * participants, keeps the default participant QoS and its own QoS, and hands
 * QoS profile and XML QoS requests to the core.
 *
 * Results are the core's: a NULL participant when the core refuses to create
 * one, the core's return code otherwise. No handle or record pointer is
 * tested. QoS records must have been given their defaults by their
 * DDS_<X>Qos_initialize first. */
#ifndef QUILLMARC_DDS_DOMAIN_PARTICIPANT_FACTORY_H
#define QUILLMARC_DDS_DOMAIN_PARTICIPANT_FACTORY_H

#include "dds_export.h"
#include "dds_infrastructure.h"
#include "dds_listeners.h"
#include "dds_qos.h"

QUILLMARC_EXTERN_C_BEGIN

/* The core's factory, the same on every call; it belongs to the core.
 * finalize_instance does nothing and answers DDS_RETCODE_UNSUPPORTED: the
 * factory stays usable. */
QUILLMARC_API DDS_DomainParticipantFactory* DDS_DomainParticipantFactory_get_instance(void);
QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipantFactory_finalize_instance(void);

/* Creating and deleting participants. A participant belongs to the core until
 * delete_participant deletes it (DDS_RETCODE_PRECONDITION_NOT_MET while it
 * still has publishers, subscribers or topics); the caller's variable is not
 * changed. `qos` equal to DDS_DOMAINPARTICIPANT_QOS_DEFAULT as it is at the
 * call (NULL while that is NULL) creates with the factory's default
 * participant QoS and reads no record. `listener` may be NULL; a record
 * given here must stay valid while the participant uses it. The profile
 * creator takes the core's library, profile and QoS names, handed over
 * untouched, in place of a record. */
QUILLMARC_API DDS_DomainParticipant* DDS_DomainParticipantFactory_create_participant(
    DDS_DomainParticipantFactory* factory, DDS_DomainId_t domain_id, const DDS_DomainParticipantQos* qos,
    const DDS_DomainParticipantListener* listener, DDS_StatusMask mask);
QUILLMARC_API DDS_DomainParticipant* DDS_DomainParticipantFactory_create_participant_with_qos_profile(
    DDS_DomainParticipantFactory* factory, DDS_DomainId_t domain_id, const char* library_name,
    const char* profile_name, const char* qos_name, const DDS_DomainParticipantListener* listener,
    DDS_StatusMask mask);
QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipantFactory_delete_participant(
    DDS_DomainParticipantFactory* factory, DDS_DomainParticipant* participant);
/* A participant of that domain, or NULL. */
QUILLMARC_API DDS_DomainParticipant* DDS_DomainParticipantFactory_lookup_participant(
    DDS_DomainParticipantFactory* factory, DDS_DomainId_t domain_id);

/* The default participant QoS and the factory's own QoS. A setter always
 * reads its record (DDS_DOMAINPARTICIPANT_QOS_DEFAULT means nothing here);
 * a getter overwrites the caller's record whatever the code. */
QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipantFactory_set_default_participant_qos(
    DDS_DomainParticipantFactory* factory, const DDS_DomainParticipantQos* qos);
QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipantFactory_get_default_participant_qos(
    DDS_DomainParticipantFactory* factory, DDS_DomainParticipantQos* qos);
QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipantFactory_set_qos(DDS_DomainParticipantFactory* factory,
                                                                    const DDS_DomainParticipantFactoryQos* qos);
QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipantFactory_get_qos(DDS_DomainParticipantFactory* factory,
                                                                    DDS_DomainParticipantFactoryQos* qos);

/* XML QoS files and QoS profiles. Every text is handed to the core as it is,
 * NULL included; the library never reads one. The _qos_from_profile getters
 * overwrite the caller's record whatever the code. */
QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipantFactory_load_qos_from_xml(
    DDS_DomainParticipantFactory* factory, const char* xml_location);
QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipantFactory_unload_qos(DDS_DomainParticipantFactory* factory,
                                                                       const char* library_name);
QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipantFactory_set_default_participant_qos_with_profile(
    DDS_DomainParticipantFactory* factory, const char* library_name, const char* profile_name,
    const char* qos_name);
QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipantFactory_set_qos_with_profile(
    DDS_DomainParticipantFactory* factory, const char* library_name, const char* profile_name,
    const char* qos_name);
QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipantFactory_get_participant_factory_qos_from_profile(
    DDS_DomainParticipantFactory* factory, DDS_DomainParticipantFactoryQos* qos, const char* library_name,
    const char* profile_name, const char* qos_name);
QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipantFactory_get_participant_qos_from_profile(
    DDS_DomainParticipantFactory* factory, DDS_DomainParticipantQos* qos, const char* library_name,
    const char* profile_name, const char* qos_name);
QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipantFactory_get_topic_qos_from_profile(
    DDS_DomainParticipantFactory* factory, DDS_TopicQos* qos, const char* library_name, const char* profile_name,
    const char* qos_name);
QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipantFactory_get_publisher_qos_from_profile(
    DDS_DomainParticipantFactory* factory, DDS_PublisherQos* qos, const char* library_name,
    const char* profile_name, const char* qos_name);
QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipantFactory_get_subscriber_qos_from_profile(
    DDS_DomainParticipantFactory* factory, DDS_SubscriberQos* qos, const char* library_name,
    const char* profile_name, const char* qos_name);
QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipantFactory_get_datareader_qos_from_profile(
    DDS_DomainParticipantFactory* factory, DDS_DataReaderQos* qos, const char* library_name,
    const char* profile_name, const char* qos_name);
QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipantFactory_get_datawriter_qos_from_profile(
    DDS_DomainParticipantFactory* factory, DDS_DataWriterQos* qos, const char* library_name,
    const char* profile_name, const char* qos_name);

QUILLMARC_EXTERN_C_END

#endif
