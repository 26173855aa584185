/* What every entity shares: the casts to its entity part and topic
 * description, the DDS_Entity_ functions and enabling.
 *
 * The casts answer NULL for NULL. The other functions test no handle: the
 * DDS_Entity_ functions take an entity part obtained from a cast. */
#ifndef QUILLMARC_DDS_ENTITY_H
#define QUILLMARC_DDS_ENTITY_H

#include "dds_infrastructure.h"

QUILLMARC_EXTERN_C_BEGIN

QUILLMARC_API DDS_Entity* DDS_DomainParticipant_as_entity(DDS_DomainParticipant* participant);
QUILLMARC_API DDS_Entity* DDS_Publisher_as_entity(DDS_Publisher* publisher);
QUILLMARC_API DDS_Entity* DDS_Subscriber_as_entity(DDS_Subscriber* subscriber);
/* A topic's entity part lies at the topic's own address. */
QUILLMARC_API DDS_Entity* DDS_Topic_as_entity(DDS_Topic* topic);
QUILLMARC_API DDS_TopicDescription* DDS_Topic_as_topicdescription(DDS_Topic* topic);

/* The value bytes of a handle that is not valid are zero. */
QUILLMARC_API DDS_InstanceHandle_t DDS_Entity_get_instance_handle(DDS_Entity* entity);
QUILLMARC_API DDS_StatusCondition* DDS_Entity_get_statuscondition(DDS_Entity* entity);
QUILLMARC_API DDS_StatusMask DDS_Entity_get_status_changes(DDS_Entity* entity);

QUILLMARC_API DDS_ReturnCode_t DDS_DomainParticipant_enable(DDS_DomainParticipant* participant);
QUILLMARC_API DDS_ReturnCode_t DDS_Publisher_enable(DDS_Publisher* publisher);
QUILLMARC_API DDS_ReturnCode_t DDS_Subscriber_enable(DDS_Subscriber* subscriber);

QUILLMARC_EXTERN_C_END

#endif
