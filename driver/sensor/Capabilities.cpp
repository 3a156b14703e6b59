// The capability-list builders: item id to common word.
#include <array>
#include <utility>

#include "outside/CommonWords.h"
#include "sensor/ConcreteSensor.h"

namespace {

using WordTable = std::initializer_list<std::pair<int, int>>;

int wordFor(WordTable table, int id) {
    for (const auto& [itemId, wordId] : table) {
        if (itemId == id) {
            return wordId;
        }
    }
    return 0;
}

const WordTable kModeWords = {{1, 22101}, {2, 22102}, {3, 22103}};
const WordTable kLensWords = {{1, 22111}, {2, 22112},  {3, 22114}, {4, 22115},
                              {5, 22116}, {6, 22117},  {7, 22113}, {8, 22118},
                              {9, 22119}, {10, 22120}, {11, 22125}};
const WordTable kAreaWords = {{21, 22121}, {22, 22122}, {23, 22123}, {24, 22124}};
const WordTable kSpeedWords = {{1, 22501},  {2, 22504},  {3, 22502},  {4, 22503}, {5, 22505},
                               {6, 22506},  {7, 22507},  {8, 22508},  {9, 22509}, {10, 22510},
                               {11, 22511}, {12, 22512}, {13, 22514}, {14, 22513}};
const WordTable kSyncWords = {{1, 22401}, {2, 22402}, {3, 22403}, {4, 22404},
                              {5, 22405}, {6, 22406}, {7, 22407}, {8, 22408}};
const WordTable kCalModeWords = {{1, 22650},  {2, 22651},  {3, 22652}, {4, 22653}, {5, 22654},
                                 {6, 22655},  {7, 22656},  {8, 22657}, {9, 22658}, {21, 22670},
                                 {22, 22671}, {23, 22672}, {24, 22673}};
const WordTable kObserverWords = {{2, 22730}, {10, 22731}, {90, 22115}, {91, 22116}};
const WordTable kIlluminantWords = {
    {0, 22740},  {1, 22700},  {2, 22701},  {3, 22702},  {4, 22703},   {5, 22704},   {6, 22705},
    {7, 22706},  {8, 22707},  {9, 22708},  {10, 22709}, {11, 22710},  {12, 22713},  {13, 22714},
    {14, 22715}, {15, 22711}, {16, 22716}, {17, 22717}, {101, 22712}, {102, 22718}, {103, 22719}};
const WordTable kNdWords = {{0, 22740}, {15, 22180}, {16, 22181}};
const WordTable kInsertNdWords = {{0, 22104}, {1, 22105}, {2, 22106}};

}  // namespace

void ConcreteSensor::addWordItem(CapIteratorOperate& list, int id, int wordId) {
    if (wordId != 0) {
        // A word the library lacks still gives an item, with an empty name.
        list.AddItem(id, loadCommonWord(wordId));
    }
}

void ConcreteSensor::setCapabilityMode(int id) {
    addWordItem(listMode, id, wordFor(kModeWords, id));
    setupCapability.setListMode(&listMode);
}

void ConcreteSensor::setCapabilityLens(int id) {
    addWordItem(listLens, id, wordFor(kLensWords, id));
    setupCapability.setListLens(&listLens);
}

void ConcreteSensor::setCapabilityArea(int id) {
    addWordItem(listArea, id, wordFor(kAreaWords, id));
    setupCapability.setListArea(&listArea);
}

void ConcreteSensor::setCapabilitySpeed(int id) {
    addWordItem(listSpeed, id, wordFor(kSpeedWords, id));
    setupCapability.setListSpeed(&listSpeed);
}

void ConcreteSensor::setCapabilitySync(int id) {
    addWordItem(listSync, id, wordFor(kSyncWords, id));
    setupCapability.setListSync(&listSync);
}

void ConcreteSensor::setCapabilityCalMode(int id) {
    addWordItem(listCalMode, id, wordFor(kCalModeWords, id));
    setupCapability.setListCalMode(&listCalMode);
}

void ConcreteSensor::setCapabilityObserver(int id) {
    addWordItem(listObserver, id, wordFor(kObserverWords, id));
    setupCapability.setListObserver(&listObserver);
}

void ConcreteSensor::setCapabilityIlluminant(int id) {
    addWordItem(listIlluminant, id, wordFor(kIlluminantWords, id));
    setupCapability.setListIlluminant(&listIlluminant);
}

void ConcreteSensor::setCapabilityNd(int id) {
    addWordItem(listNd, id, wordFor(kNdWords, id));
    setupCapability.setListNd(&listNd);
}

void ConcreteSensor::setCapabilityInsertNd(int id) {
    addWordItem(listInsertNd, id, wordFor(kInsertNdWords, id));
    setupCapability.setListInsertNd(&listInsertNd);
}

void ConcreteSensor::initializeCapability() {
    for (CapIteratorOperate* list :
         {&listMode, &listLens, &listArea, &listSpeed, &listSync, &listCalMode, &listObserver,
          &listIlluminant, &listNd, &listInsertNd}) {
        list->Clear();
    }
    setupCapability.setListMode(&listMode);
    setupCapability.setListLens(&listLens);
    setupCapability.setListArea(&listArea);
    setupCapability.setListSpeed(&listSpeed);
    setupCapability.setListSync(&listSync);
    setupCapability.setListCalMode(&listCalMode);
    setupCapability.setListObserver(&listObserver);
    setupCapability.setListIlluminant(&listIlluminant);
    setupCapability.setListNd(&listNd);
    setupCapability.setListInsertNd(&listInsertNd);
}
