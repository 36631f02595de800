#include "helptexts.h"

#include <QCoreApplication>
#include <QLatin1String>

#include <iterator>

namespace {

// Translation context shared with the rest of the main window's texts.
constexpr char kContext[] = "Configurator";

constexpr int kMaxNamesPerEntry = 4;

struct HelpEntry
{
    // Object names the entry applies to; unused slots stay null.
    const char *names[kMaxNamesPerEntry];
    // Russian source text; translated at lookup time.
    const char *text;
};

// Order matters: a later entry overrides an earlier one for the same name
// (label_TempNameDUT/label_TempValDUT and pushButtonDeviceFLS appear twice).
const HelpEntry kEntries[] = {
    // Wired sensor parameter form.
    {{"comboBox_ModeDUT", "label_22DUT"},
     QT_TRANSLATE_NOOP("Configurator",
                       "Режим выходного сигнала датчика: цифровой RS-485 (по запросу или "
                       "периодический), RS-232, аналоговый, частотный или импульсный. Набор "
                       "режимов зависит от модели подключенного датчика. Выбранный режим "
                       "отмечается значком изменения и записывается в датчик кнопкой записи "
                       "параметров или сочетанием клавиш Ctrl+S.")},
    {{"comboBox_FiltrDUT", "label_21DUT"},
     QT_TRANSLATE_NOOP("Configurator",
                       "Уровень фильтрации (сглаживания) показаний. Чем больше бак и сильнее "
                       "колебания топлива при движении, тем выше нужен уровень: «Нет» — без "
                       "сглаживания, далее «до 200 литров», «от 200 до 1000 литров», «более "
                       "1000 литров» и «Тяжёлые условия» — самое сильное сглаживание. У датчиков "
                       "других моделей уровень задаётся числом от 0 до 15. Тарировку и установку "
                       "точек «Полный» и «Пустой» рекомендуется выполнять при отключенном "
                       "сглаживании.")},
    {{"lineEditNetNumDUT", "label_4DUT"},
     QT_TRANSLATE_NOOP("Configurator",
                       "Сетевой адрес датчика на линии RS-485. Датчики на одной линии должны "
                       "иметь разные адреса. Новый адрес записывается вместе с остальными "
                       "параметрами, после чего программа заново ищет датчики на линии.")},
    {{"lineEditMaxLevelDUT", "label_20DUT"},
     QT_TRANSLATE_NOOP("Configurator",
                       "Максимальное значение уровня, которое выдаёт датчик: от 1023 до 4095 "
                       "(1023 — 10-битное разрешение, 4095 — 12-битное). Переключение доступно "
                       "на датчиках с версией прошивки не выше 2.5.3 и выполняется после "
                       "подтверждения; новое значение записывается вместе с остальными "
                       "параметрами.")},
    {{"lineEditMinLevelDUT", "label_19DUT"},
     QT_TRANSLATE_NOOP("Configurator",
                       "Минимальное значение уровня, которое выдаёт датчик, в диапазоне от 0 до "
                       "1023; по умолчанию равно 1. Если версия датчика не поддерживает изменение "
                       "этого значения, программа предупредит об этом.")},

    // Header.
    {{"comboBox_SerialPort"},
     QT_TRANSLATE_NOOP("Configurator",
                       "Список COM-портов, к которым подключены преобразователи интерфейса "
                       "(например, USB — RS-485). Порты, занятые другими программами, в список "
                       "не попадают. Пока ни одно устройство не подключено, список обновляется "
                       "при наведении на него курсора; во время подключения выбрать другой порт "
                       "нельзя.")},
    {{"pushButtonService"},
     QT_TRANSLATE_NOOP("Configurator",
                       "Сервисное меню: обновление прошивки, отмена несохранённых настроек, "
                       "загрузка заводских настроек, инженерное меню, дистанционное управление и "
                       "пароль датчика (пункт «Безопасность»). Большинству пунктов нужен "
                       "подключенный датчик; «Дистанционное управление» доступно, пока порт "
                       "закрыт.")},
    {{"ButtonTarirovka"},
     QT_TRANSLATE_NOOP("Configurator",
                       "Переход к тарировке бака для подключенного датчика (горячая клавиша F4). "
                       "Тарировку рекомендуется делать при отключенном сглаживании: если "
                       "фильтрация включена, программа напомнит об этом.")},

    // Engineering menu of the wired sensor.
    {{"groupBoxInv"},
     QT_TRANSLATE_NOOP("Configurator",
                       "Включает или выключает инверсию индикатора датчика. Команда отправляется "
                       "в датчик сразу при переключении, отдельная запись не нужна. Если модель "
                       "датчика не поддерживает функцию, группа неактивна.")},
    {{"groupBoxAngle"},
     QT_TRANSLATE_NOOP("Configurator",
                       "Режим передачи угла наклона: датчик дополнительно передаёт угол своего "
                       "наклона. Команда отправляется в датчик сразу при переключении. Функция "
                       "доступна для KV610 и датчиков FLS.")},
    {{"groupBox_Master"},
     QT_TRANSLATE_NOOP("Configurator",
                       "Включает или выключает режим Master датчика. Команда отправляется в "
                       "датчик сразу при переключении. Функция доступна для KV610 и датчиков "
                       "FLS.")},
    {{"groupBox_DelTermo", "groupBox_DelTermoBLE"},
     QT_TRANSLATE_NOOP("Configurator",
                       "Отключение термокомпенсации — поправки показаний на температуру топлива. "
                       "Переключатель показывает состояние, считанное из датчика. Без особой "
                       "необходимости термокомпенсацию отключать не рекомендуется.")},
    {{"groupBox_EkoDrive"},
     QT_TRANSLATE_NOOP("Configurator",
                       "Включает или выключает функцию «Экодрайвинг» датчика. Команда "
                       "отправляется в датчик сразу при переключении. Функция доступна для "
                       "KV610 и датчиков FLS.")},
    {{"groupBoxLamp"},
     QT_TRANSLATE_NOOP("Configurator",
                       "Порог срабатывания лампы аварийного остатка топлива, в процентах. "
                       "Введите значение и нажмите «Установить»: после подтверждения порог будет "
                       "записан в датчик.")},
    {{"pushBtnManualInput", "pushBtnManualInputBLE"},
     QT_TRANSLATE_NOOP("Configurator",
                       "Ручной ввод значений «Полный» и «Пустой». В открывшемся окне введите оба "
                       "значения и нажмите «Установить». Значение «Пустой» не может быть больше "
                       "значения «Полный», нулевые значения не принимаются.")},
    {{"pushBtnCalcLtrPrc"},
     QT_TRANSLATE_NOOP("Configurator",
                       "Открывает тарировочную таблицу датчика из 20 точек «уровень — объём». "
                       "Таблицу можно считать из датчика и записать в него, загрузить из файла "
                       "CSV или сохранить в файл, а также пересчитать объёмы в проценты.")},
    {{"RemoteControl"},
     QT_TRANSLATE_NOOP("Configurator",
                       "Дистанционное управление датчиком, подключенным к бортовому терминалу. "
                       "Выберите команду и нажмите «Сгенерировать»: полученную строку скопируйте "
                       "и отправьте на терминал по SMS или через сервер. Ответ терминала с "
                       "температурой и уровнем можно вставить в ту же строку и расшифровать.")},

    // Calibration page.
    {{"lineEditStepTar", "label_StepTar"},
     QT_TRANSLATE_NOOP("Configurator",
                       "Шаг тарировки — объём одной порции топлива. По умолчанию 5 при тарировке "
                       "заливом и 500 при тарировке сливом. Каждая новая порция увеличивает "
                       "(залив) или уменьшает (слив) объём в таблице на этот шаг.")},
    {{"pushButtonAdSensorTar"},
     QT_TRANSLATE_NOOP("Configurator",
                       "Начинает тарировку: запрашивает имя файла CSV, в котором будет "
                       "сохраняться таблица, и добавляет в неё столбец датчика с начальной "
                       "точкой. После добавления первой порции добавить датчик нельзя.")},
    {{"pushButtonDelSensorTar"},
     QT_TRANSLATE_NOOP("Configurator",
                       "Удаляет из тарировочной таблицы столбец последнего добавленного датчика. "
                       "Если датчик был один, таблица очищается, а следующая тарировка "
                       "продолжится в том же файле.")},
    {{"pushButtonAdPortionTar"},
     QT_TRANSLATE_NOOP("Configurator",
                       "Добавляет в таблицу строку: объём, изменённый на шаг тарировки, и "
                       "текущие показания датчика. Строка сразу дописывается в файл тарировки. "
                       "Перед нажатием дождитесь, пока показания датчика станут стабильными.")},
    {{"pushButtonDelPortionTar"},
     QT_TRANSLATE_NOOP("Configurator", "Удаляет последнюю строку в тарировочной таблице")},
    {{"pushButtonEndTar"},
     QT_TRANSLATE_NOOP("Configurator",
                       "Завершает тарировку после подтверждения: таблица очищается, работа с "
                       "файлом тарировки заканчивается. Сохранённую тарировку можно продолжить "
                       "кнопкой «Возобновить».")},

    // Device buttons and the wired sensor page.
    {{"pushButtonDeviceFLS"},
     QT_TRANSLATE_NOOP("Configurator",
                       "Подключение проводного датчика уровня топлива (KV210, KV260, KV510, "
                       "KV610). Нажатие открывает выбранный COM-порт и запускает поиск датчиков "
                       "на линии, повторное нажатие отключает датчик.")},
    {{"Button_SetEmptyDUT", "Button_SetEmptyBLE"},
     QT_TRANSLATE_NOOP("Configurator",
                       "Устанавливает точку «Пустой»: текущее показание датчика запоминается в "
                       "нём как показание при пустом баке. Выполняется после подтверждения, "
                       "горячая клавиша F3. Рекомендуется делать при отключенном сглаживании.")},
    {{"Button_SetFullDUT", "Button_SetFullBLE"},
     QT_TRANSLATE_NOOP("Configurator",
                       "Устанавливает точку «Полный»: текущее показание датчика запоминается в "
                       "нём как показание при полном баке. Выполняется после подтверждения, "
                       "горячая клавиша F2. Рекомендуется делать при отключенном сглаживании.")},
    {{"comboBox_NetNumDUT", "label_ReqNetNumDUT"},
     QT_TRANSLATE_NOOP("Configurator",
                       "Выбор датчика для опроса, когда на линии их несколько: в списке сетевые "
                       "адреса найденных датчиков. После выбора программа опрашивает датчик с "
                       "этим адресом.")},
    {{"label_TempNameDUT", "label_TempValDUT"},
     QT_TRANSLATE_NOOP("Configurator", "Температура датчика")},
    {{"ButtonWriteParamDUT", "ButtonWriteParamBLE"},
     QT_TRANSLATE_NOOP("Configurator",
                       "Записывает изменённые параметры в датчик. Изменённые поля отмечаются "
                       "значком рядом с ними; записать их можно и сочетанием клавиш Ctrl+S. "
                       "После записи параметры считываются заново: записанные отмечаются "
                       "зелёным значком, а при расхождении появится просьба повторить запись.")},
    {{"pushButtonDeviceFLS", "pushButtonBLE"},
     QT_TRANSLATE_NOOP("Configurator",
                       "Выбор подключаемого устройства: проводной датчик уровня топлива или "
                       "базовая станция BLE с беспроводными датчиками. Нажатие открывает "
                       "выбранный COM-порт и запускает поиск, выбранная кнопка подсвечивается "
                       "красным. Повторное нажатие или выбор другого устройства отключает "
                       "текущее.")},
    {{"label_NameListDevDUT", "label_ListDevDUT"},
     QT_TRANSLATE_NOOP("Configurator",
                       "Сетевые адреса всех датчиков, найденных на линии, через запятую.")},
    {{"label_NameUrovenDUT", "label_UrovenDUT"},
     QT_TRANSLATE_NOOP("Configurator",
                       "Текущий уровень топлива в условных единицах: от 0 до 1023 или до 4095 в "
                       "зависимости от разрешения датчика. Цвет шкалы показывает стабильность "
                       "показаний: зелёный — стабильны, жёлтый и красный — нестабильны.")},
    {{"label_FreqNameDUT", "label_FreqValDUT"},
     QT_TRANSLATE_NOOP("Configurator", "Отображает частоту.")},
    {{"label_NaprNameDUT", "label_NaprValDUT"},
     QT_TRANSLATE_NOOP("Configurator", "Отображает напряжение.")},
    {{"label_TempNameDUT", "label_TempValDUT"},
     QT_TRANSLATE_NOOP("Configurator", "Температура датчика.")},
    {{"label_FirmwareName", "label_FirmwareVal"},
     QT_TRANSLATE_NOOP("Configurator", "Версия прошивки подключенного устройства.")},
    {{"label_SerNumVal", "label_SerNumName"},
     QT_TRANSLATE_NOOP("Configurator", "Серийный номер подключенного устройства.")},

    // Wireless page.
    {{"label_RSSIPicBLE", "label_RSSI_VAL_BLE"},
     QT_TRANSLATE_NOOP("Configurator",
                       "Уровень сигнала радиосвязи между базовой станцией и беспроводным "
                       "датчиком, в дБ. Чем ближе значение к нулю, тем устойчивее связь.")},
    {{"label_BatPicBLE", "label_BAT_VAL_BLE"},
     QT_TRANSLATE_NOOP("Configurator", "Напряжение батареи беспроводного датчика, в вольтах.")},
    {{"groupBoxLamp_BLE"},
     QT_TRANSLATE_NOOP("Configurator",
                       "Порог срабатывания лампы аварийного остатка топлива беспроводного "
                       "датчика, в процентах.")},
    {{"pushBtnChangeBaseLinkIDBLE"},
     QT_TRANSLATE_NOOP("Configurator",
                       "Изменяет идентификатор (S/N) базовой станции. Введите новый номер в "
                       "открывшемся окне; пустое или нулевое значение не принимается.")},
    {{"pushBtnInUpdBase"},
     QT_TRANSLATE_NOOP("Configurator",
                       "Переводит базовую станцию в режим обновления прошивки. После этого в "
                       "мобильном приложении NRFConnect появится устройство KV_BASE_UPD: "
                       "подключитесь к нему, нажмите кнопку DFU и выберите архив с прошивкой.")},
    {{"pushBtnInUpdBLE"},
     QT_TRANSLATE_NOOP("Configurator",
                       "Перезагружает беспроводной датчик для обновления прошивки. После "
                       "перезагрузки у вас есть около 30 секунд, чтобы запустить обновление в "
                       "приложении NRFConnect; оставшееся время показывает таймер.")},

    // Status lines of the header.
    {{"labelStatusUp"},
     QT_TRANSLATE_NOOP("Configurator",
                       "Строка состояния: показывает текущее состояние подключения и результаты "
                       "выполненных команд.")},
    {{"labelStatusModel"},
     QT_TRANSLATE_NOOP("Configurator", "Секция отображения модели подключенного устройства")},

    // Wireless sensor and base station.
    {{"label_PicBLE", "label_NameBLE", "label_SerNumValBLE", "label_FirmwareValBLE"},
     QT_TRANSLATE_NOOP("Configurator",
                       "Беспроводной датчик уровня топлива KV-BLE, связанный с базовой станцией: "
                       "его название, серийный номер и версия прошивки.")},
    {{"label_PicBase", "label_NameBase"},
     QT_TRANSLATE_NOOP("Configurator",
                       "Базовая станция BLE: через неё программа получает данные беспроводных "
                       "датчиков и передаёт им команды.")},
    {{"label_LockBLE_BASE"},
     QT_TRANSLATE_NOOP("Configurator", "Индикация наличия/отсутствия пароля базы")},
};

static_assert(std::size(kEntries) == 48, "the help chain has 48 entries");

bool entryMatches(const HelpEntry &entry, const QString &objectName)
{
    for (const char *name : entry.names) {
        if (name && objectName == QLatin1String(name))
            return true;
    }
    return false;
}

} // namespace

QString HelpTexts::textFor(const QString &objectName)
{
    const HelpEntry *shown = nullptr;
    for (const HelpEntry &entry : kEntries) {
        if (entryMatches(entry, objectName))
            shown = &entry; // a later match overrides an earlier one
    }
    return shown ? QCoreApplication::translate(kContext, shown->text) : QString();
}

int HelpTexts::entryCount()
{
    return int(std::size(kEntries));
}
