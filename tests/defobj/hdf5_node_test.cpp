// HDF5 nodes: files, groups, plain datasets and attributes, record
// datasets with their row names and string tables, vectors; what h5dump
// sees in the files, what reads back, and the reports of bad input.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "collections/stream_support.h"
#include "defobj/CreateDrop.h"
#include "defobj/HDF5.h"
#include "defobj/HDF5CompoundType.h"
#include "defobj/hdf5_support.h"
#include "defobj/var_access.h"
#include "runtime/registration.h"

namespace {

struct Sample : CreateDrop {
  int count;
  double weight;
  const char* label;
  id other;
};

// What a reader of Sample records with a wider count sees.
struct WideSample : CreateDrop {
  long count;
  double weight;
};

}  // namespace

REGISTER_CLASS(Sample, CreateDrop, ivar(&Sample::count, "count"), ivar(&Sample::weight, "weight"),
               ivar(&Sample::label, "label"), ivar(&Sample::other, "other"))
REGISTER_CLASS(WideSample, CreateDrop, ivar(&WideSample::count, "count"), ivar(&WideSample::weight, "weight"))

namespace {

Class sampleClass(const char* name = "Sample") {
  static bool registered = false;
  if (!registered) {
    objc_register_Sample();
    objc_register_WideSample();
    registered = true;
  }
  return objc_get_class(name);
}

Sample* makeSample(int count, double weight, const char* label) {
  auto* sample = static_cast<Sample*>(msg::create(sampleClass(), _obj_globalZone));
  sample->count = count;
  sample->weight = weight;
  sample->label = label;
  return sample;
}

id makeRecordType(id prototype) {
  id type = msg::createBegin(HDF5CompoundType, _obj_globalZone);
  msg::setPrototype(type, prototype);
  return msg::createEnd(type);
}

id makeRecords(id parent, const char* name, id type, unsigned count) {
  id node = msg::createBegin(HDF5, _obj_globalZone);
  msg::setParent(node, parent);
  msg::setName(node, name);
  msg::setWriteFlag(node, YES);
  msg::setCompoundType(node, type);
  msg::setCount(node, count);
  return msg::createEnd(node);
}

// Writes the samples as records "0", "1", ... of dataset "samples".
void writeSamples(const std::string& file, const std::vector<Sample*>& samples, const char* typeName = "Sample") {
  id root = makeNode(nil, file, YES);
  id type = makeRecordType(samples[0]);
  id records = makeRecords(root, "samples", type, samples.size());
  msg::storeComponentTypeName(records, typeName);
  for (unsigned i = 0; i < samples.size(); i++) {
    msg::numberRecord(records, i);
    msg::selectRecord(records, i);
    msg::shallowStoreObject(records, samples[i]);
  }
  msg::writeRowNames(records);
  msg::writeLevels(records);
  msg::drop(records);
  msg::drop(type);
  msg::drop(root);
}

std::string hdf5Error(const char* symbol, const char* function, const char* file, const std::string& message) {
  return errorReport(symbol, function, file, message);
}

using HDF5Nodes = HDF5Files;

TEST_F(HDF5Nodes, FilesAreCreatedForWritingAndProbedForReading) {
  const std::string file = path("a.hdf");
  EXPECT_EQ(makeNode(nil, file, NO), nil);
  id root = makeNode(nil, file, YES);
  ASSERT_NE(root, nil);
  id group = makeNode(root, "g", YES);
  msg::drop(group);
  msg::drop(root);
  root = makeNode(nil, file, NO);
  ASSERT_NE(root, nil);
  EXPECT_TRUE(msg::checkName(root, "g"));
  EXPECT_FALSE(msg::checkDatasetName(root, "g"));
  EXPECT_FALSE(msg::checkName(root, "missing"));
  EXPECT_EQ(makeNode(root, "missing", NO), nil);
  EXPECT_EQ(makeNode(root, "missing", NO, YES), nil);
  msg::drop(root);

  // A file that is not HDF5 is neither read nor overwritten.
  const std::string text = path("notes.hdf");
  std::ofstream(text) << "not an HDF5 file";
  EXPECT_EQ(makeNode(nil, text, NO), nil);
  EXPECT_DEATH(makeNode(nil, text, YES),
               hdf5Error("SaveError", "-[HDF5(c) _createEnd]", "HDF5.cpp",
                         "failed to open HDF5 file for r/w`" + text + "'"));
  std::ifstream in(text);
  std::string kept;
  std::getline(in, kept);
  EXPECT_EQ(kept, "not an HDF5 file");
}

TEST_F(HDF5Nodes, DatasetsAndAttributesReadBackAsWritten) {
  const std::string file = path("d.hdf");
  id root = makeNode(nil, file, YES);
  id group = makeNode(root, "g", YES);
  const int grid[2][3] = {{1, 2, 3}, {4, 5, 6}};
  const unsigned dims[] = {2, 3};
  const double scalar = 2.5;
  const char* texts[] = {"hello"};
  msg::storeAsDataset_typeName_type_rank_dims_ptr(group, "grid", "Grid", fcall_type_sint, 2, dims, grid);
  msg::storeAsDataset_typeName_type_rank_dims_ptr(group, "scalar", nullptr, fcall_type_double, 0, nullptr, &scalar);
  msg::storeAsDataset_typeName_type_rank_dims_ptr(group, "text", nullptr, fcall_type_string, 0, nullptr, texts);
  // An existing dataset is written again in place.
  const double later = 3.5;
  msg::storeAsDataset_typeName_type_rank_dims_ptr(group, "scalar", nullptr, fcall_type_double, 0, nullptr, &later);
  msg::storeTypeName(group, "Holder");
  msg::storeAttribute_value(group, "note", "first");
  msg::storeAttribute_value(group, "note", "second");
  msg::drop(group);
  msg::drop(root);

  const std::string dump = h5dump("-A " + file);
  EXPECT_HAS(dump, "DATASET \"grid\"");
  EXPECT_HAS(dump, "DATASPACE  SIMPLE { ( 2, 3 ) / ( 2, 3 ) }");
  EXPECT_HAS(dump, "H5T_STD_I32LE");
  EXPECT_HAS(dump, "ATTRIBUTE \"type\"");
  EXPECT_HAS(dump, "\"Holder\"");
  EXPECT_HAS(dump, "\"second\"");
  EXPECT_HAS(h5dump("-d /g/text " + file), "\"hello\"");
  EXPECT_HAS(h5dump("-d /g/scalar " + file), "3.5");

  root = makeNode(nil, file, NO);
  group = makeNode(root, "g", NO);
  id grids = makeNode(group, "grid", NO, YES);
  EXPECT_EQ(msg::getDatasetRank(grids), 2u);
  EXPECT_EQ(msg::getDatasetDimension(grids, 0), 2u);
  EXPECT_EQ(msg::getDatasetDimension(grids, 1), 3u);
  EXPECT_EQ(msg::getDatasetType(grids), unsigned(fcall_type_sint));
  int back[2][3] = {};
  msg::loadDataset(grids, back);
  EXPECT_EQ(std::memcmp(back, grid, sizeof grid), 0);
  EXPECT_DEATH(msg::getDatasetDimension(grids, 2),
               hdf5Error("InvalidArgument", "-[HDF5(c) _getDatasetDimension:]", "HDF5.cpp",
                         "requested dimension number not less than rank"));
  const char* type = msg::getAttribute(grids, "type");
  EXPECT_STREQ(type, "Grid");
  msg::free(_obj_scratchZone, const_cast<char*>(type));
  EXPECT_EQ(msg::getAttribute(grids, "missing"), nullptr);
  id text = makeNode(group, "text", NO, YES);
  const char* loaded = nullptr;
  msg::loadDataset(text, &loaded);
  EXPECT_STREQ(loaded, "hello");
  msg::free(_obj_scratchZone, const_cast<char*>(loaded));
  std::vector<std::string> seen;
  const hdf5_attribute_visitor collect = [&](const char* name, const char* value) {
    seen.push_back(std::string(name) + "=" + (value ? value : "nil"));
    return 0;
  };
  msg::iterateAttributes(group, &collect);
  EXPECT_EQ(seen, (std::vector<std::string>{"type=Holder", "note=second"}));
  std::vector<std::string> members;
  const hdf5_member_visitor list = [&](id child) {
    members.push_back(std::string(msg::getHDF5Name(child)) + (msg::getDatasetFlag(child) ? " dataset" : " group"));
    return 0;
  };
  msg::iterate(root, &list);
  msg::iterate(group, &list);
  EXPECT_EQ(members, (std::vector<std::string>{"g group", "grid dataset", "scalar dataset", "text dataset"}));
  for (id node : {text, grids, group, root}) msg::drop(node);
}

TEST_F(HDF5Nodes, RecordsStoreStringsAsIndicesIntoTheirTables) {
  const std::string file = path("r.hdf");
  Sample* with = makeSample(1, 0.5, "a");
  with->other = with;  // objects are not stored
  writeSamples(file, {with, makeSample(2, 1.5, "b"), makeSample(3, 2.5, "a"), makeSample(4, 3.5, nullptr)});

  const std::string dump = h5dump(file);
  EXPECT_HAS(dump, "H5T_COMPOUND {\n         H5T_STD_I32LE \"count\";\n         H5T_IEEE_F64LE \"weight\";\n"
                   "         H5T_STD_I32LE \"label\";\n      }");
  EXPECT_HAS(dump, "ATTRIBUTE \"levels.label\"");
  EXPECT_HAS(dump, "(0): \"a\", \"b\"");
  EXPECT_HAS(dump, "(0): \"0\", \"1\", \"2\", \"3\"");
  EXPECT_HAS(dump, "(0): {\n            1,\n            0.5,\n            1\n         }");
  EXPECT_HAS(dump, "(2): {\n            3,\n            2.5,\n            1\n         }");
  EXPECT_HAS(dump, "(3): {\n            4,\n            3.5,\n            -2147483648\n         }");
  EXPECT_HAS(dump, "\"component-type\"");

  // The members keep their layout offsets: int at 0, double at 8, the
  // index at 16.
  id root = makeNode(nil, file, NO);
  id records = makeNode(root, "samples", NO, YES);
  ASSERT_NE(msg::getCompoundType(records), nil);
  const hid_t tid = msg::getTid(msg::getCompoundType(records));
  EXPECT_EQ(H5Tget_member_offset(tid, 1), 8u);
  EXPECT_EQ(H5Tget_member_offset(tid, 2), 16u);
  EXPECT_EQ(H5Tget_size(tid), 20u);
  EXPECT_EQ(msg::getClass(records), sampleClass());
  EXPECT_EQ(msg::getCount(records), 4u);
  const char** names = msg::readRowNames(records);
  EXPECT_STREQ(names[3], "3");
  // The names are the caller's: each a copy in the scratch zone.
  for (unsigned i = 0; i < 4; i++) msg::free(_obj_scratchZone, const_cast<char*>(names[i]));
  msg::free(msg::getZone(records), names);
  const char* labels[4];
  for (unsigned i = 0; i < 4; i++) {
    auto* sample = static_cast<Sample*>(msg::create(sampleClass(), _obj_globalZone));
    msg::selectRecord(records, i);
    msg::shallowLoadObject(records, sample);
    EXPECT_EQ(sample->count, int(i + 1));
    EXPECT_EQ(sample->weight, i + 0.5);
    labels[i] = sample->label;
  }
  EXPECT_STREQ(labels[0], "a");
  EXPECT_STREQ(labels[1], "b");
  EXPECT_STREQ(labels[2], "a");
  EXPECT_EQ(labels[3], nullptr);
  msg::drop(records);
  msg::drop(root);
}

TEST_F(HDF5Nodes, RecordsOfAnUnknownTypeMakeAClassAndWiderVariablesAccept) {
  const std::string file = path("u.hdf");
  writeSamples(file, {makeSample(-7, 1.25, "x"), makeSample(8, 2.25, "y")}, "Unseen");
  id root = makeNode(nil, file, NO);
  id records = makeNode(root, "samples", NO, YES);
  Class made = msg::getClass(records);
  EXPECT_STREQ(made->name, "Unseen");
  EXPECT_EQ(object_ivar_type(msg::getPrototype(msg::getCompoundType(records)), "label"), fcall_type_string);
  id object = msg::create(made, _obj_globalZone);
  msg::selectRecord(records, 1);
  msg::shallowLoadObject(records, object);
  EXPECT_EQ(*static_cast<int*>(ivar_ptr_for_name(object, "count")), 8);
  EXPECT_STREQ(*static_cast<const char**>(ivar_ptr_for_name(object, "label")), "y");

  // A long variable takes an int member, converted.
  auto* wide = static_cast<WideSample*>(msg::create(sampleClass("WideSample"), _obj_globalZone));
  msg::selectRecord(records, 0);
  msg::shallowLoadObject(records, wide);
  EXPECT_EQ(wide->count, -7);
  EXPECT_EQ(wide->weight, 1.25);
  EXPECT_DEATH(msg::selectRecord(records, 2),
               hdf5Error("InvalidArgument", "-[HDF5(c) _selectRecord:]", "HDF5Records.cpp",
                         "unable to select record: 2"));
  msg::drop(records);
  msg::drop(root);
}

TEST_F(HDF5Nodes, RowNamesAreNumberedOrNamed) {
  const std::string file = path("n.hdf");
  id root = makeNode(nil, file, YES);
  Sample* sample = makeSample(1, 1, "s");
  id type = makeRecordType(sample);
  id ten = makeRecords(root, "ten", type, 10);
  EXPECT_STREQ(msg::numberRecord(ten, 0), "00");
  EXPECT_STREQ(msg::numberRecord(ten, 9), "09");
  id one = makeRecords(root, "one", type, 1);
  EXPECT_STREQ(msg::numberRecord(one, 0), "0");
  id named = makeRecords(root, "named", type, 11);
  msg::storeComponentTypeName(named, "Sample");
  msg::nameRecord_name(named, 2, "0");
  msg::nameRecord_name(named, 10, "11");
  msg::nameRecord_name(named, 3, "abcde");
  msg::writeRowNames(named);
  for (id node : {ten, one, named}) msg::drop(node);
  msg::drop(type);
  msg::drop(root);
  EXPECT_HAS(h5dump("-a /named/row.names " + file), "STRSIZE 6;");

  // A table with fewer names than records is refused.
  {
    hid_t f = H5Fopen(file.c_str(), H5F_ACC_RDWR, H5P_DEFAULT);
    hid_t d = H5Dopen1(f, "named");
    H5Adelete(d, "row.names");
    const hsize_t two = 2;
    hid_t s = H5Screate_simple(1, &two, nullptr);
    hid_t t = H5Tcopy(H5T_C_S1);
    H5Tset_size(t, 2);
    hid_t a = H5Acreate1(d, "row.names", t, s, H5P_DEFAULT);
    H5Awrite(a, t, "a\0b\0");
    for (herr_t r : {H5Aclose(a), H5Tclose(t), H5Sclose(s), H5Dclose(d), H5Fclose(f)}) EXPECT_GE(r, 0);
  }
  root = makeNode(nil, file, NO);
  id records = makeNode(root, "named", NO, YES);
  EXPECT_DEATH(msg::readRowNames(records),
               hdf5Error("LoadError", "-[HDF5(c) _readRowNames]", "HDF5Records.cpp",
                         "row names vector different size from table"));
  msg::drop(records);
  msg::drop(root);
}

TEST_F(HDF5Nodes, VectorsHoldEveryValueAddedAfterTheirDrop) {
  const std::string file = path("v.hdf");
  id root = makeNode(nil, file, YES);
  auto makeVector = [&](const char* name) {
    id vector = msg::createBegin(HDF5, _obj_globalZone);
    msg::setParent(vector, root);
    msg::setName(vector, name);
    msg::setWriteFlag(vector, YES);
    msg::setDatasetFlag(vector, YES);
    msg::setExtensibleDoubleVector(vector);
    return msg::createEnd(vector);
  };
  id longer = makeVector("longer");
  for (unsigned i = 0; i <= HDF5_VECTOR_BLOCK; i++) msg::addDoubleToVector(longer, i * 0.5);
  msg::drop(longer);
  id twice = makeVector("twice");
  for (double v : {1.0, 2.0, 3.0}) msg::addDoubleToVector(twice, v);
  msg::flush(twice);
  msg::flush(twice);
  msg::drop(twice);
  id empty = makeVector("empty");
  msg::drop(empty);
  msg::drop(root);

  EXPECT_HAS(h5dump("-H -d /longer " + file), "DATASPACE  SIMPLE { ( 16385 ) / ( H5S_UNLIMITED ) }");
  EXPECT_HAS(h5dump("-p -H -d /longer " + file), "COMPRESSION DEFLATE { LEVEL 6 }");
  EXPECT_HAS(h5dump("-d /longer -s 16383 -c 2 " + file), "8191.5, 8192");
  EXPECT_HAS(h5dump("-d /twice " + file), "(0): 1, 2, 3\n");
  EXPECT_HAS(h5dump("-H -d /empty " + file), "DATASPACE  SIMPLE { ( 1 ) / ( H5S_UNLIMITED ) }");
}

}  // namespace
