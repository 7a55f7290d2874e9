// Messages of the HDF5 storage: the nodes of a file (files, groups,
// datasets, record datasets and vectors), their record types, and the HDF5
// forms every object answers. setName:, getName, getClass, setCount: and
// getCount are declared with the object model and the collections.
#pragma once

#include <hdf5.h>

#include <functional>

#include "collections/keyed_messages.h"
#include "collections/messages.h"
#include "defobj/messages.h"

// The visitors of a group's members and of a node's attributes: callables,
// so that callers keep their own state; a nonzero result stops the visit.
using hdf5_member_visitor = std::function<int(id node)>;
using hdf5_attribute_visitor = std::function<int(const char* name, const char* value)>;

namespace msg {
// HDF5 forms of every object (hdf5InCreate: is the object model's).
inline const Message<void(id)> hdf5OutShallow{"hdf5OutShallow:"};
inline const Message<void(id)> hdf5OutDeep{"hdf5OutDeep:"};
inline const Message<id(id)> hdf5In{"hdf5In:"};

// Nodes, creating.
inline const Message<void(id)> setParent{"setParent:"};
inline const Message<void(BOOL)> setWriteFlag{"setWriteFlag:"};
inline const Message<void(BOOL)> setDatasetFlag{"setDatasetFlag:"};
inline const Message<void(unsigned)> setExtensibleVectorType{"setExtensibleVectorType:"};
inline const Message<void()> setExtensibleDoubleVector{"setExtensibleDoubleVector"};
inline const Message<void(id)> setCompoundType{"setCompoundType:"};
inline const Message<void(hid_t)> setId{"setId:"};
inline const Message<void(id)> setBaseTypeObject{"setBaseTypeObject:"};

// Nodes, using.
inline const Message<int(const hdf5_member_visitor*)> iterate{"iterate:"};
inline const Message<int(const hdf5_member_visitor*, BOOL)> iterate_drop{"iterate:drop:"};
inline const Message<BOOL()> getDatasetFlag{"getDatasetFlag"};
inline const Message<BOOL()> getWriteFlag{"getWriteFlag"};
inline const Message<unsigned()> getDatasetRank{"getDatasetRank"};
inline const Message<unsigned(unsigned)> getDatasetDimension{"getDatasetDimension:"};
inline const Message<unsigned()> getDatasetType{"getDatasetType"};
inline const Message<const char*()> getHDF5Name{"getHDF5Name"};
inline const Message<id()> getCompoundType{"getCompoundType"};
inline const Message<void(id)> assignIvar{"assignIvar:"};
inline const Message<BOOL(const char*)> checkName{"checkName:"};
inline const Message<BOOL(const char*)> checkDatasetName{"checkDatasetName:"};
inline const Message<void(void*)> loadDataset{"loadDataset:"};
inline const Message<void(const char*, const char*, unsigned, unsigned, const unsigned*, const void*)>
    storeAsDataset_typeName_type_rank_dims_ptr{"storeAsDataset:typeName:type:rank:dims:ptr:"};
inline const Message<void(double)> addDoubleToVector{"addDoubleToVector:"};
inline const Message<void()> flushVector{"flushVector"};
inline const Message<void(const char*)> storeTypeName{"storeTypeName:"};
inline const Message<void(const char*)> storeComponentTypeName{"storeComponentTypeName:"};
inline const Message<void(id)> shallowLoadObject{"shallowLoadObject:"};
inline const Message<void(id)> shallowStoreObject{"shallowStoreObject:"};
inline const Message<const char*(unsigned, const char*)> nameRecord_name{"nameRecord:name:"};
inline const Message<const char*(unsigned)> numberRecord{"numberRecord:"};
inline const Message<void(unsigned)> selectRecord{"selectRecord:"};
inline const Message<const char**()> readRowNames{"readRowNames"};
inline const Message<void()> writeRowNames{"writeRowNames"};
inline const Message<void()> writeLevels{"writeLevels"};
inline const Message<void(const char*, const char*)> storeAttribute_value{"storeAttribute:value:"};
inline const Message<int(const hdf5_attribute_visitor*)> iterateAttributes{"iterateAttributes:"};
inline const Message<const char*(const char*)> getAttribute{"getAttribute:"};
inline const Message<void()> flush{"flush"};
inline const Message<id()> getParent{"getParent"};

// Record types.
inline const Message<void(id)> setPrototype{"setPrototype:"};
inline const Message<void(hid_t)> setTid{"setTid:"};
inline const Message<void(hid_t)> setDataset{"setDataset:"};
inline const Message<hid_t()> getTid{"getTid"};
inline const Message<id()> getPrototype{"getPrototype"};
inline const Message<void(void*, id)> packObj_to{"packObj:to:"};
inline const Message<void(id, void*)> packBuf_to{"packBuf:to:"};
inline const Message<void(const char*)> writeLevel{"writeLevel:"};
}  // namespace msg
