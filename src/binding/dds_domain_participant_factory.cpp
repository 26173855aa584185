// The domain participant factory: the core's singleton, one core call per
// function.
#include "quillmarc/dds_domain_participant_factory.h"

#include "binding/shapes.h"

using quillmarc::core;
using quillmarc::handle;
using Factory = ZORVEX::DomainParticipantFactory;

extern "C" {

DDS_DomainParticipantFactory* DDS_DomainParticipantFactory_get_instance(void) {
  return handle(Factory::get_instance());
}

DDS_ReturnCode_t DDS_DomainParticipantFactory_finalize_instance(void) { return DDS_RETCODE_UNSUPPORTED; }

DDS_DomainParticipant* DDS_DomainParticipantFactory_create_participant(DDS_DomainParticipantFactory* factory,
                                                                       DDS_DomainId_t domain_id,
                                                                       const DDS_DomainParticipantQos* qos,
                                                                       const DDS_DomainParticipantListener* listener,
                                                                       DDS_StatusMask mask) {
  quillmarc::Creation<DDS_DomainParticipantQos, DomainParticipantListenerImpl> c(qos, listener, mask);
  return handle(core(factory)->create_participant(domain_id, c.qos(), c.bridge(), c.mask));
}

DDS_DomainParticipant* DDS_DomainParticipantFactory_create_participant_with_qos_profile(
    DDS_DomainParticipantFactory* factory, DDS_DomainId_t domain_id, const char* library_name,
    const char* profile_name, const char* qos_name, const DDS_DomainParticipantListener* listener,
    DDS_StatusMask mask) {
  auto bridge = quillmarc::make_bridge<DomainParticipantListenerImpl>(listener);
  return handle(core(factory)->create_participant_with_qos_profile(domain_id, library_name, profile_name, qos_name,
                                                                   bridge.release(), mask));
}

DDS_ReturnCode_t DDS_DomainParticipantFactory_delete_participant(DDS_DomainParticipantFactory* factory,
                                                                 DDS_DomainParticipant* participant) {
  return quillmarc::delete_child(core(factory), &Factory::delete_participant, participant);
}

DDS_DomainParticipant* DDS_DomainParticipantFactory_lookup_participant(DDS_DomainParticipantFactory* factory,
                                                                       DDS_DomainId_t domain_id) {
  return handle(core(factory)->lookup_participant(domain_id));
}

DDS_ReturnCode_t DDS_DomainParticipantFactory_set_default_participant_qos(DDS_DomainParticipantFactory* factory,
                                                                          const DDS_DomainParticipantQos* qos) {
  return quillmarc::set_record(core(factory), &Factory::set_default_participant_qos, qos);
}

DDS_ReturnCode_t DDS_DomainParticipantFactory_get_default_participant_qos(DDS_DomainParticipantFactory* factory,
                                                                          DDS_DomainParticipantQos* qos) {
  return quillmarc::get_record(core(factory), &Factory::get_default_participant_qos, qos);
}

DDS_ReturnCode_t DDS_DomainParticipantFactory_set_qos(DDS_DomainParticipantFactory* factory,
                                                      const DDS_DomainParticipantFactoryQos* qos) {
  return quillmarc::set_record(core(factory), &Factory::set_qos, qos);
}

DDS_ReturnCode_t DDS_DomainParticipantFactory_get_qos(DDS_DomainParticipantFactory* factory,
                                                      DDS_DomainParticipantFactoryQos* qos) {
  return quillmarc::get_record(core(factory), &Factory::get_qos, qos);
}

DDS_ReturnCode_t DDS_DomainParticipantFactory_load_qos_from_xml(DDS_DomainParticipantFactory* factory,
                                                                const char* xml_location) {
  return core(factory)->load_qos_from_xml(xml_location);
}

DDS_ReturnCode_t DDS_DomainParticipantFactory_unload_qos(DDS_DomainParticipantFactory* factory,
                                                         const char* library_name) {
  return core(factory)->unload_qos(library_name);
}

DDS_ReturnCode_t DDS_DomainParticipantFactory_set_default_participant_qos_with_profile(
    DDS_DomainParticipantFactory* factory, const char* library_name, const char* profile_name,
    const char* qos_name) {
  return core(factory)->set_default_participant_qos_with_profile(library_name, profile_name, qos_name);
}

DDS_ReturnCode_t DDS_DomainParticipantFactory_set_qos_with_profile(DDS_DomainParticipantFactory* factory,
                                                                   const char* library_name,
                                                                   const char* profile_name, const char* qos_name) {
  return core(factory)->set_qos_with_profile(library_name, profile_name, qos_name);
}

// The profile getters: the core's record first, then the three names.
#define QUILLMARC_QOS_FROM_PROFILE(operation, CQos)                                                         \
  DDS_ReturnCode_t DDS_DomainParticipantFactory_##operation(DDS_DomainParticipantFactory* factory, CQos* qos, \
                                                            const char* library_name, const char* profile_name, \
                                                            const char* qos_name) {                           \
    return quillmarc::get_record(core(factory), &Factory::operation, qos, library_name, profile_name, qos_name); \
  }
QUILLMARC_QOS_FROM_PROFILE(get_participant_factory_qos_from_profile, DDS_DomainParticipantFactoryQos)
QUILLMARC_QOS_FROM_PROFILE(get_participant_qos_from_profile, DDS_DomainParticipantQos)
QUILLMARC_QOS_FROM_PROFILE(get_topic_qos_from_profile, DDS_TopicQos)
QUILLMARC_QOS_FROM_PROFILE(get_publisher_qos_from_profile, DDS_PublisherQos)
QUILLMARC_QOS_FROM_PROFILE(get_subscriber_qos_from_profile, DDS_SubscriberQos)
QUILLMARC_QOS_FROM_PROFILE(get_datareader_qos_from_profile, DDS_DataReaderQos)
QUILLMARC_QOS_FROM_PROFILE(get_datawriter_qos_from_profile, DDS_DataWriterQos)
#undef QUILLMARC_QOS_FROM_PROFILE
}
