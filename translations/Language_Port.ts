<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt">
<context>
    <name>Configurator</name>
    <message>
        <source>Волмар Конфигуратор</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ДУТ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Серийный номер:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Версия ПО:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Требуется калибровка</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Уровень</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Частота, Гц</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Напряжение</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Температура</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Опросить адрес</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Устройства</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Режим</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сглаживание</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Макс. уровень</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Мин. уровень</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сетевой адрес</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Базовая станция</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Серийный номер</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Версия ПО</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Скопировано в буфер обмена</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сигнал</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Батарея</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Датчик 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Датчик 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Датчик 3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Датчик 4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ТАРИРОВКА</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Шаг,</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>л</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Заливом</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сливом</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Начать</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Добавить порцию</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Удалить порцию</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Возобновить</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Завершить</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>График</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ВЕРНУТЬСЯ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Угол,град.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Установки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Верх</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Низ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Задержка вкл.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Задержка выкл.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Опросить сет. адрес</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Устройства в сети</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Режим 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Режим 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Режим 3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отвал</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ковш</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Мастер</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Установка нуля</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Удалить датчик</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Литры</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Галлоны</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>СЧИТЫВАТЕЛЬ МЕТОК</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Установка режима</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Режим Считыватель</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Режим Метка</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Установить</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Установить сер номер</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ID метки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Десятичный формат</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Считать</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сменить сет.номер</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ДИСТАНЦИОННОЕ УПРАВЛЕНИЕ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Команда</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Удаленнный сетевой номер</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Введите числовой пароль</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выберете уровень фильтрации</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выберете режим</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Скопируйте строку и вставьте её в файл для отправки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сгенерировать</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Расшифровать ответ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ИНЖЕНЕРНЫЕ НАСТРОЙКИ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Инверсия индикатора</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Режим передачи угла наклона</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Режим Master</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отключить термокомпенсацию</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Экодрайвинг</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Передавать cерийный номер</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Порог срабатывания лампы</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  Установить  </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ручной ввод Полный/Пустой</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Калибровать 
 горизонтальное
положение</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пересчитать в литры / %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сетевой адрес базы</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Изменить</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Изменить S/N базы</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ОБНОВЛЕНИЕ ПРОШИВКИ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Обновить прошивку базы</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Обновить прошивку датчика</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Подключите датчик</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Волмар Конфигуратор v1.0.0.%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Нет доступных ком-портов
Выберите другой порт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Проверьте подключение преобразователя!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Обновить прошивку</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отменить несохранённые настройки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Загрузить заводские настройки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Инженерное меню</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Дистанционное управление</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Безопасность</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сейчас будет установлен новый уровень &quot;Пустой&quot;
Вы уверены?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Режим выходного сигнала датчика: цифровой RS-485 (по запросу или периодический), RS-232, аналоговый, частотный или импульсный. Набор режимов зависит от модели подключенного датчика. Выбранный режим отмечается значком изменения и записывается в датчик кнопкой записи параметров или сочетанием клавиш Ctrl+S.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Уровень фильтрации (сглаживания) показаний. Чем больше бак и сильнее колебания топлива при движении, тем выше нужен уровень: «Нет» — без сглаживания, далее «до 200 литров», «от 200 до 1000 литров», «более 1000 литров» и «Тяжёлые условия» — самое сильное сглаживание. У датчиков других моделей уровень задаётся числом от 0 до 15. Тарировку и установку точек «Полный» и «Пустой» рекомендуется выполнять при отключенном сглаживании.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сетевой адрес датчика на линии RS-485. Датчики на одной линии должны иметь разные адреса. Новый адрес записывается вместе с остальными параметрами, после чего программа заново ищет датчики на линии.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Максимальное значение уровня, которое выдаёт датчик: от 1023 до 4095 (1023 — 10-битное разрешение, 4095 — 12-битное). Переключение доступно на датчиках с версией прошивки не выше 2.5.3 и выполняется после подтверждения; новое значение записывается вместе с остальными параметрами.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Минимальное значение уровня, которое выдаёт датчик, в диапазоне от 0 до 1023; по умолчанию равно 1. Если версия датчика не поддерживает изменение этого значения, программа предупредит об этом.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Список COM-портов, к которым подключены преобразователи интерфейса (например, USB — RS-485). Порты, занятые другими программами, в список не попадают. Пока ни одно устройство не подключено, список обновляется при наведении на него курсора; во время подключения выбрать другой порт нельзя.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сервисное меню: обновление прошивки, отмена несохранённых настроек, загрузка заводских настроек, инженерное меню, дистанционное управление и пароль датчика (пункт «Безопасность»). Большинству пунктов нужен подключенный датчик; «Дистанционное управление» доступно, пока порт закрыт.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Переход к тарировке бака для подключенного датчика (горячая клавиша F4). Тарировку рекомендуется делать при отключенном сглаживании: если фильтрация включена, программа напомнит об этом.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Включает или выключает инверсию индикатора датчика. Команда отправляется в датчик сразу при переключении, отдельная запись не нужна. Если модель датчика не поддерживает функцию, группа неактивна.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Режим передачи угла наклона: датчик дополнительно передаёт угол своего наклона. Команда отправляется в датчик сразу при переключении. Функция доступна для KV610 и датчиков FLS.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Включает или выключает режим Master датчика. Команда отправляется в датчик сразу при переключении. Функция доступна для KV610 и датчиков FLS.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отключение термокомпенсации — поправки показаний на температуру топлива. Переключатель показывает состояние, считанное из датчика. Без особой необходимости термокомпенсацию отключать не рекомендуется.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Включает или выключает функцию «Экодрайвинг» датчика. Команда отправляется в датчик сразу при переключении. Функция доступна для KV610 и датчиков FLS.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Порог срабатывания лампы аварийного остатка топлива, в процентах. Введите значение и нажмите «Установить»: после подтверждения порог будет записан в датчик.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ручной ввод значений «Полный» и «Пустой». В открывшемся окне введите оба значения и нажмите «Установить». Значение «Пустой» не может быть больше значения «Полный», нулевые значения не принимаются.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Открывает тарировочную таблицу датчика из 20 точек «уровень — объём». Таблицу можно считать из датчика и записать в него, загрузить из файла CSV или сохранить в файл, а также пересчитать объёмы в проценты.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Дистанционное управление датчиком, подключенным к бортовому терминалу. Выберите команду и нажмите «Сгенерировать»: полученную строку скопируйте и отправьте на терминал по SMS или через сервер. Ответ терминала с температурой и уровнем можно вставить в ту же строку и расшифровать.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Шаг тарировки — объём одной порции топлива. По умолчанию 5 при тарировке заливом и 500 при тарировке сливом. Каждая новая порция увеличивает (залив) или уменьшает (слив) объём в таблице на этот шаг.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Начинает тарировку: запрашивает имя файла CSV, в котором будет сохраняться таблица, и добавляет в неё столбец датчика с начальной точкой. После добавления первой порции добавить датчик нельзя.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Удаляет из тарировочной таблицы столбец последнего добавленного датчика. Если датчик был один, таблица очищается, а следующая тарировка продолжится в том же файле.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Добавляет в таблицу строку: объём, изменённый на шаг тарировки, и текущие показания датчика. Строка сразу дописывается в файл тарировки. Перед нажатием дождитесь, пока показания датчика станут стабильными.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Удаляет последнюю строку в тарировочной таблице</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Завершает тарировку после подтверждения: таблица очищается, работа с файлом тарировки заканчивается. Сохранённую тарировку можно продолжить кнопкой «Возобновить».</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Подключение проводного датчика уровня топлива (KV210, KV260, KV510, KV610). Нажатие открывает выбранный COM-порт и запускает поиск датчиков на линии, повторное нажатие отключает датчик.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Устанавливает точку «Пустой»: текущее показание датчика запоминается в нём как показание при пустом баке. Выполняется после подтверждения, горячая клавиша F3. Рекомендуется делать при отключенном сглаживании.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Устанавливает точку «Полный»: текущее показание датчика запоминается в нём как показание при полном баке. Выполняется после подтверждения, горячая клавиша F2. Рекомендуется делать при отключенном сглаживании.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выбор датчика для опроса, когда на линии их несколько: в списке сетевые адреса найденных датчиков. После выбора программа опрашивает датчик с этим адресом.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Температура датчика</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Записывает изменённые параметры в датчик. Изменённые поля отмечаются значком рядом с ними; записать их можно и сочетанием клавиш Ctrl+S. После записи параметры считываются заново: записанные отмечаются зелёным значком, а при расхождении появится просьба повторить запись.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выбор подключаемого устройства: проводной датчик уровня топлива или базовая станция BLE с беспроводными датчиками. Нажатие открывает выбранный COM-порт и запускает поиск, выбранная кнопка подсвечивается красным. Повторное нажатие или выбор другого устройства отключает текущее.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сетевые адреса всех датчиков, найденных на линии, через запятую.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Текущий уровень топлива в условных единицах: от 0 до 1023 или до 4095 в зависимости от разрешения датчика. Цвет шкалы показывает стабильность показаний: зелёный — стабильны, жёлтый и красный — нестабильны.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отображает частоту.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отображает напряжение.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Температура датчика.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Версия прошивки подключенного устройства.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Серийный номер подключенного устройства.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Уровень сигнала радиосвязи между базовой станцией и беспроводным датчиком, в дБ. Чем ближе значение к нулю, тем устойчивее связь.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Напряжение батареи беспроводного датчика, в вольтах.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Порог срабатывания лампы аварийного остатка топлива беспроводного датчика, в процентах.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Изменяет идентификатор (S/N) базовой станции. Введите новый номер в открывшемся окне; пустое или нулевое значение не принимается.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Переводит базовую станцию в режим обновления прошивки. После этого в мобильном приложении NRFConnect появится устройство KV_BASE_UPD: подключитесь к нему, нажмите кнопку DFU и выберите архив с прошивкой.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Перезагружает беспроводной датчик для обновления прошивки. После перезагрузки у вас есть около 30 секунд, чтобы запустить обновление в приложении NRFConnect; оставшееся время показывает таймер.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Строка состояния: показывает текущее состояние подключения и результаты выполненных команд.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Секция отображения модели подключенного устройства</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Беспроводной датчик уровня топлива KV-BLE, связанный с базовой станцией: его название, серийный номер и версия прошивки.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Базовая станция BLE: через неё программа получает данные беспроводных датчиков и передаёт им команды.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Индикация наличия/отсутствия пароля базы</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Один экземпляр приложения уже запущен</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Подключите
преобразователь</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DynamicQDialog</name>
    <message>
        <source>Отмена</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FLSDevice</name>
    <message>
        <source>Подключите датчик</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WidgetTar</name>
    <message>
        <source>Литры</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Датчик#</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Калиброван</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Стабилен</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
